#pragma once

#include "platform/TextCodec.h"

namespace tarvik {

// Code page 936 through MultiByteToWideChar and WideCharToMultiByte, whatever the system's own
// ANSI code page is. Bad input is refused or replaced exactly as the iconv converter of the Linux
// build does, so both builds write the same bytes.
class Win32TextCodec : public TextCodec {
public:
    std::optional<std::string> toUtf8(std::string_view cp936) const override;
    std::string toUtf8AsWindows(std::string_view cp936) const override;
    std::optional<std::string> fromUtf8(std::string_view utf8) const override;
    std::string toUtf8Lossy(std::string_view cp936) const override;
    std::string fromUtf8Lossy(std::string_view utf8) const override;
};

} // namespace tarvik
