# The Windows program as one folder, zipped by CPack: Tarvik.exe with the Qt DLLs and plugins it
# loads, the mingw runtime, the factory files, the help file and the alarm sound. Unzipped
# anywhere the user may write, the folder is the program folder.
set(TARVIK_PACKAGE_NAME Tarvik-${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}-windows-x64)

install(TARGETS tarvik RUNTIME DESTINATION .)
install(FILES $<TARGET_FILE:Qt6::Core> $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets> DESTINATION .)
# Qt looks for its plugins in these folders beside the executable, and through qt.conf nowhere else.
install(FILES ${CMAKE_SOURCE_DIR}/packaging/windows/qt.conf DESTINATION .)
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION platforms)
# The native style: "windowsvista" up to Qt 6.6, "modernwindows" from Qt 6.7.
set(TARVIK_STYLE_PLUGIN "")
foreach(plugin Qt6::QWindowsVistaStylePlugin Qt6::QModernWindowsStylePlugin)
    if(TARGET ${plugin} AND NOT TARVIK_STYLE_PLUGIN)
        set(TARVIK_STYLE_PLUGIN ${plugin})
        install(FILES $<TARGET_FILE:${plugin}> DESTINATION styles)
    endif()
endforeach()

set(TARVIK_RUNTIME_DLLS "")
if(MSVC)
    # The Visual C++ runtime beside the executable, so that no redistributable is needed.
    set(CMAKE_INSTALL_SYSTEM_RUNTIME_DESTINATION .)
    include(InstallRequiredSystemLibraries)
endif()
if(MINGW)
    set(TARVIK_RUNTIME_DLLS libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    foreach(dll ${TARVIK_RUNTIME_DLLS})
        execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                        OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
        if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
            message(FATAL_ERROR "The mingw runtime ${dll} was not found (${CMAKE_CXX_COMPILER} -print-file-name)")
        endif()
        install(FILES ${path} DESTINATION .)
    endforeach()
endif()

# The factory files, as a first start needs them; the help file as the build made it.
install(FILES ${TARVIK_FACTORY_FILES} DESTINATION .)
install(FILES ${TARVIK_PROGRAM_DIR}/Tarvik.chm DESTINATION . OPTIONAL)

# Debug sections are most of a mingw DLL's size (Qt6Core.dll: 9.5 MB before, 6.5 MB after). Only
# what was installed here is stripped.
if(CMAKE_STRIP AND MINGW)
    set(TARVIK_INSTALLED_BINARIES
        $<TARGET_FILE_NAME:tarvik> $<TARGET_FILE_NAME:Qt6::Core> $<TARGET_FILE_NAME:Qt6::Gui>
        $<TARGET_FILE_NAME:Qt6::Widgets> platforms/$<TARGET_FILE_NAME:Qt6::QWindowsIntegrationPlugin>
        ${TARVIK_RUNTIME_DLLS})
    if(TARVIK_STYLE_PLUGIN)
        list(APPEND TARVIK_INSTALLED_BINARIES styles/$<TARGET_FILE_NAME:${TARVIK_STYLE_PLUGIN}>)
    endif()
    install(CODE "
        foreach(binary ${TARVIK_INSTALLED_BINARIES})
            execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded \"\${CMAKE_INSTALL_PREFIX}/\${binary}\"
                            RESULT_VARIABLE failed)
            if(failed)
                message(FATAL_ERROR \"strip failed on \${binary}\")
            endif()
        endforeach()")
endif()

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Tarvik)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR})
set(CPACK_PACKAGE_FILE_NAME ${TARVIK_PACKAGE_NAME})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
