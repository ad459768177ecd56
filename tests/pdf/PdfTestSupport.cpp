#include "PdfTestSupport.h"

#include <regex>

namespace pdftest {

std::string ObjectText(const std::string& file, int number)
{
    const std::string head = "\r\n" + std::to_string(number) + " 0 obj\r\n";
    const auto begin = file.find(head);
    if (begin == std::string::npos)
        return {};
    const auto end = file.find("endobj", begin);
    return file.substr(begin + 2, end + 6 - begin - 2);
}

std::string CheckStructure(const std::string& file)
{
    const auto startxref = file.rfind("startxref\r\n");
    if (startxref == std::string::npos)
        return "no startxref";
    const long xref = std::stol(file.substr(startxref + 11));
    if (file.compare(xref, 6, "xref\r\n") != 0)
        return "startxref does not point at xref";
    std::size_t at = xref + 6;
    const auto lineEnd = file.find("\r\n", at);
    const int count = std::stoi(file.substr(at + 2, lineEnd - at - 2));
    at = lineEnd + 2;
    for (int number = 0; number < count; ++number, at += 20) {
        const std::string entry = file.substr(at, 20);
        if (entry.size() != 20 || entry.substr(18) != "\r\n")
            return "bad entry line " + std::to_string(number);
        if (number == 0)
            continue;
        const long offset = std::stol(entry.substr(0, 10));
        const std::string head = std::to_string(number) + " 0 obj\r\n";
        if (file.compare(offset, head.size(), head) != 0)
            return "entry " + std::to_string(number) + " does not point at its object";
    }
    static const std::regex streamHead("/Length (\\d+)\r\n/Filter \\[[^\\]]*\\]\r\n");
    for (auto it = std::sregex_iterator(file.begin(), file.end(), streamHead); it != std::sregex_iterator();
         ++it) {
        const auto dataStart = file.find("stream\r\n", it->position()) + 8;
        const auto length = std::stoul((*it)[1].str());
        if (file.compare(dataStart + length, 10, "\nendstream") != 0)
            return "Length " + std::to_string(length) + " does not match the stream data";
    }
    return {};
}

} // namespace pdftest
