#pragma once
// Decodes the bytes as the file-reading path does for a file of that extension; every refusal
// is an ImageError, anything else (a crash, a sanitizer report, another exception) is a finding.
#include "imaging/ImageError.h"
#include "imaging/ImageFiles.h"

#include <cstdint>
#include <span>

inline void decodeAs(const std::uint8_t* data, std::size_t size, const char* fileName)
{
    try {
        quillora::imaging::decodeImageBytes(std::span(data, size), QString::fromLatin1(fileName));
    } catch (const quillora::imaging::ImageError&) {
    }
}
