#include "imaging/TiffStream.h"

#include "imaging/ImageLimits.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace quillora::imaging::tifflib {
namespace {

MemoryFile& fileOf(thandle_t handle) { return *static_cast<MemoryFile*>(handle); }

std::size_t sizeOf(const MemoryFile& file) { return file.output ? file.output->size() : file.inputSize; }

const std::uint8_t* bytesOf(const MemoryFile& file) { return file.output ? file.output->data() : file.input; }

tmsize_t readProc(thandle_t handle, void* buffer, tmsize_t size)
{
    MemoryFile& file = fileOf(handle);
    const std::size_t total = sizeOf(file);
    if (size <= 0 || file.position >= total)
        return 0;
    const std::size_t count = std::min<std::size_t>(static_cast<std::size_t>(size), total - file.position);
    std::memcpy(buffer, bytesOf(file) + file.position, count);
    file.position += count;
    return static_cast<tmsize_t>(count);
}

tmsize_t writeProc(thandle_t handle, void* buffer, tmsize_t size)
{
    MemoryFile& file = fileOf(handle);
    if (!file.output || size < 0)
        return -1;
    const std::size_t end = file.position + static_cast<std::size_t>(size);
    if (file.output->size() < end)
        file.output->resize(end);
    std::memcpy(file.output->data() + file.position, buffer, static_cast<std::size_t>(size));
    file.position = end;
    return size;
}

toff_t seekProc(thandle_t handle, toff_t offset, int whence)
{
    MemoryFile& file = fileOf(handle);
    std::uint64_t base = 0;
    if (whence == SEEK_CUR)
        base = file.position;
    else if (whence == SEEK_END)
        base = sizeOf(file);
    const std::uint64_t target = base + offset;
    // Writers may seek past the end; the gap is zero-filled on the next write.
    if (file.output && target > file.output->size() && target < static_cast<std::uint64_t>(kMaxFileBytes))
        file.output->resize(static_cast<std::size_t>(target));
    file.position = target;
    return target;
}

int closeProc(thandle_t) { return 0; }

toff_t sizeProc(thandle_t handle) { return sizeOf(fileOf(handle)); }

int mapProc(thandle_t, void**, toff_t*) { return 0; }

void unmapProc(thandle_t, void*, toff_t) { }

int collectError(TIFF*, void* userData, const char* module, const char* format, va_list args)
{
    auto& file = *static_cast<MemoryFile*>(userData);
    if (file.firstError.empty()) {
        char text[512];
        std::vsnprintf(text, sizeof text, format, args);
        file.firstError = module ? std::string(module) + ": " + text : std::string(text);
    }
    return 1; // handled: nothing reaches the global handler or stderr
}

int ignoreWarning(TIFF*, void*, const char*, const char*, va_list) { return 1; }

struct OptionsDeleter {
    void operator()(TIFFOpenOptions* options) const { TIFFOpenOptionsFree(options); }
};

} // namespace

TiffHandle openMemory(MemoryFile& file, const char* mode)
{
    std::unique_ptr<TIFFOpenOptions, OptionsDeleter> options(TIFFOpenOptionsAlloc());
    if (!options) {
        file.firstError = "out of memory";
        return nullptr;
    }
    TIFFOpenOptionsSetMaxSingleMemAlloc(options.get(), kMaxDecoderBufferBytes);
    TIFFOpenOptionsSetErrorHandlerExtR(options.get(), collectError, &file);
    TIFFOpenOptionsSetWarningHandlerExtR(options.get(), ignoreWarning, nullptr);
    // "m": never memory-map (there is no file to map).
    const std::string fullMode = std::string(mode) + "m";
    TiffHandle handle(TIFFClientOpenExt("memory", fullMode.c_str(), &file, readProc, writeProc, seekProc,
                                        closeProc, sizeProc, mapProc, unmapProc, options.get()));
    if (!handle && file.firstError.empty())
        file.firstError = "not a TIFF file";
    return handle;
}

} // namespace quillora::imaging::tifflib
