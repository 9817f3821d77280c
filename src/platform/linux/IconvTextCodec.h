#pragma once

#include "platform/TextCodec.h"

namespace tarvik {

// Code page 936 through iconv's "CP936" converter, with what Windows' code page 936 has beyond it.
class IconvTextCodec : public TextCodec {
public:
    std::optional<std::string> toUtf8(std::string_view cp936) const override;
    std::string toUtf8AsWindows(std::string_view cp936) const override;
    std::optional<std::string> fromUtf8(std::string_view utf8) const override;
    std::string toUtf8Lossy(std::string_view cp936) const override;
    std::string fromUtf8Lossy(std::string_view utf8) const override;
};

} // namespace tarvik
