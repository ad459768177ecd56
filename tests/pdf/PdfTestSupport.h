#pragma once
// Helpers shared by the PDF writer tests.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "pdf/PdfExceptions.h"
#include "pdf/PdfObjects.h"
#include "pdf/PdfOutput.h"
#include "pdf/PdfPicture.h"
#include "pdf/PdfServices.h"

namespace pdftest {

// The bytes an object writes with WriteTo.
inline std::string Written(TPdfObject& object)
{
    TPdfMemoryStream stream;
    object.WriteTo(stream);
    return stream.Bytes();
}

// The bytes an object writes as its value (the definition body of an indirect object).
inline std::string ValueOf(TPdfObject& object)
{
    TPdfMemoryStream stream;
    object.WriteValue(stream);
    return stream.Bytes();
}

inline std::shared_ptr<const TPdfClock> FixedClock(TPdfDateTime moment = {2024, 1, 2, 3, 4, 5})
{
    return std::make_shared<const TPdfFixedClock>(moment);
}

// A JPEG picture whose bytes are a recognisable pattern (not a decodable image).
inline TPdfJpegPicture FakeJpeg(std::size_t size, int width = 600, int height = 800)
{
    auto bytes = std::make_shared<std::vector<std::uint8_t>>(size);
    for (std::size_t i = 0; i < size; ++i)
        (*bytes)[i] = static_cast<std::uint8_t>(i * 7 + 3);
    return {bytes, width, height};
}

inline std::size_t Occurrences(const std::string& haystack, const std::string& needle)
{
    std::size_t count = 0;
    for (auto at = haystack.find(needle); at != std::string::npos; at = haystack.find(needle, at + 1))
        ++count;
    return count;
}

// The message of the writer error `call` raises, or "no error".
template <class Call> std::string ErrorOf(Call call)
{
    try {
        call();
    } catch (const EPdfError& error) {
        return error.what();
    }
    return "no error";
}

// The text of object `number` ("n 0 obj" up to and including "endobj").
std::string ObjectText(const std::string& file, int number);

// Checks the cross-reference table: every offset points at its "n 0 obj" line, startxref at
// "xref", and every stream's Length matches its data. Returns "" or a description.
std::string CheckStructure(const std::string& file);

} // namespace pdftest
