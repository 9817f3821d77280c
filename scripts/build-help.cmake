cmake_minimum_required(VERSION 3.25)
# Builds the help file Tarvik.chm from the sources in SOURCE into DEST with CHMCMD (when given),
# and lays the pages as plain HTML in DEST/help for desktops without a CHM viewer.
# The project and contents files are read in the help language's code page (936), so they are
# converted from the UTF-8 of the sources; the pages declare their own encoding.
file(GLOB pages "${SOURCE}/*.html" "${SOURCE}/*.css")
file(MAKE_DIRECTORY "${DEST}/help")
file(COPY ${pages} DESTINATION "${DEST}/help")

if(CHMCMD)
    file(REMOVE_RECURSE "${STAGE}")
    file(MAKE_DIRECTORY "${STAGE}")
    file(COPY ${pages} DESTINATION "${STAGE}")
    find_program(ICONV iconv)
    foreach(name Tarvik.hhp toc.hhc)
        if(ICONV)
            execute_process(COMMAND "${ICONV}" -f UTF-8 -t CP936 INPUT_FILE "${SOURCE}/${name}"
                            OUTPUT_FILE "${STAGE}/${name}" RESULT_VARIABLE converted)
            if(NOT converted EQUAL 0)
                message(FATAL_ERROR "Cannot convert ${name} to code page 936")
            endif()
        else()
            file(COPY "${SOURCE}/${name}" DESTINATION "${STAGE}")
        endif()
    endforeach()
    execute_process(COMMAND "${CHMCMD}" Tarvik.hhp WORKING_DIRECTORY "${STAGE}" RESULT_VARIABLE built
                    OUTPUT_VARIABLE report ERROR_VARIABLE report)
    if(NOT built EQUAL 0 OR NOT EXISTS "${STAGE}/Tarvik.chm")
        message(FATAL_ERROR "chmcmd could not build Tarvik.chm:\n${report}")
    endif()
    file(COPY "${STAGE}/Tarvik.chm" DESTINATION "${DEST}")
endif()
file(TOUCH "${STAMP}")
