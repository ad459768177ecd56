#include "imaging/JpegLib.h"

#include <cstdlib>
#include <cstring>
#include <jerror.h>

namespace quillora::imaging::jpeglib {
namespace {

void exitByJump(j_common_ptr info)
{
    auto* state = reinterpret_cast<ErrorState*>(info->err);
    (*info->err->format_message)(info, state->message);
    std::longjmp(state->jump, 1);
}

// Warnings never print. The ones that mean the compressed data ran out before the image did
// (end of file, or a marker where entropy-coded data should continue) are remembered: libjpeg
// would fill the rest of the image with grey.
void recordWarning(j_common_ptr info, int level)
{
    auto* state = reinterpret_cast<ErrorState*>(info->err);
    const int code = info->err->msg_code;
    if (level < 0 && (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER))
        state->truncated = true;
}

void installErrorState(ErrorState& state)
{
    jpeg_std_error(&state.manager);
    state.manager.error_exit = exitByJump;
    state.manager.emit_message = recordWarning;
    state.message[0] = '\0';
    state.truncated = false;
}

FileSource& SourceOf(j_decompress_ptr info) { return *static_cast<FileSource*>(info->client_data); }

void StartReading(j_decompress_ptr info) { SourceOf(info).started = false; }

// Refills the block from the file. An exception from the stream is caught here, and the error
// leaves by libjpeg's error exit only after the catch block has ended.
boolean FillBlock(j_decompress_ptr info)
{
    FileSource& source = SourceOf(info);
    std::streamsize got = 0;
    try {
        got = source.file->sgetn(reinterpret_cast<char*>(source.block.data()),
                                 static_cast<std::streamsize>(source.block.size()));
    } catch (...) {
        source.readFailed = true;
    }
    if (source.readFailed)
        ERREXIT(info, JERR_FILE_READ);
    if (got <= 0) {
        if (!source.started)
            ERREXIT(info, JERR_INPUT_EMPTY);
        WARNMS(info, JWRN_JPEG_EOF);
        source.block[0] = 0xFF;
        source.block[1] = JPEG_EOI;
        got = 2;
    }
    source.manager.next_input_byte = source.block.data();
    source.manager.bytes_in_buffer = static_cast<std::size_t>(got);
    source.started = true;
    return TRUE;
}

// Markers the decoder does not use are skipped; they may be longer than a block.
void SkipBytes(j_decompress_ptr info, long count)
{
    if (count <= 0)
        return;
    jpeg_source_mgr& manager = SourceOf(info).manager;
    while (count > static_cast<long>(manager.bytes_in_buffer)) {
        count -= static_cast<long>(manager.bytes_in_buffer);
        FillBlock(info);
    }
    manager.next_input_byte += count;
    manager.bytes_in_buffer -= static_cast<std::size_t>(count);
}

void StopReading(j_decompress_ptr) { }

} // namespace

Decompressor::Decompressor()
{
    std::memset(&info, 0, sizeof info);
    installErrorState(error);
    info.err = &error.manager;
}

Decompressor::~Decompressor()
{
    if (created)
        jpeg_destroy_decompress(&info);
}

Compressor::Compressor()
{
    std::memset(&info, 0, sizeof info);
    installErrorState(error);
    info.err = &error.manager;
}

Compressor::~Compressor()
{
    if (created)
        jpeg_destroy_compress(&info);
    std::free(buffer);
}

bool openAndReadHeader(Decompressor& d, const std::uint8_t* data, std::size_t size, long memoryLimit)
{
    if (setjmp(d.error.jump))
        return false;
    jpeg_create_decompress(&d.info);
    d.created = true;
    d.info.mem->max_memory_to_use = memoryLimit;
    jpeg_mem_src(&d.info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&d.info, TRUE);
    return true;
}

bool openFileAndReadHeader(Decompressor& d, FileSource& source, long memoryLimit)
{
    if (setjmp(d.error.jump))
        return false;
    jpeg_create_decompress(&d.info);
    d.created = true;
    d.info.mem->max_memory_to_use = memoryLimit;
    source.manager.init_source = StartReading;
    source.manager.fill_input_buffer = FillBlock;
    source.manager.skip_input_data = SkipBytes;
    source.manager.resync_to_restart = jpeg_resync_to_restart;
    source.manager.term_source = StopReading;
    d.info.client_data = &source;
    d.info.src = &source.manager;
    jpeg_read_header(&d.info, TRUE);
    return true;
}

bool hasMultipleScans(Decompressor& d, bool& multiple)
{
    if (setjmp(d.error.jump))
        return false;
    multiple = jpeg_has_multiple_scans(&d.info);
    return true;
}

bool startDecompress(Decompressor& d)
{
    if (setjmp(d.error.jump))
        return false;
    jpeg_start_decompress(&d.info);
    return true;
}

bool cropColumns(Decompressor& d, JDIMENSION* xoffset, JDIMENSION* width)
{
    if (setjmp(d.error.jump))
        return false;
    jpeg_crop_scanline(&d.info, xoffset, width);
    return true;
}

bool readRow(Decompressor& d, std::uint8_t* row)
{
    if (setjmp(d.error.jump))
        return false;
    JSAMPROW rows[1] = {row};
    // Only a suspending source returns no row; neither the memory nor the file source suspends.
    return jpeg_read_scanlines(&d.info, rows, 1) == 1;
}

bool finishDecompress(Decompressor& d)
{
    if (setjmp(d.error.jump))
        return false;
    jpeg_finish_decompress(&d.info);
    return true;
}

bool compressToMemory(Compressor& c, const EncodeSource& source)
{
    if (setjmp(c.error.jump))
        return false;
    jpeg_create_compress(&c.info);
    c.created = true;
    jpeg_mem_dest(&c.info, &c.buffer, &c.size);
    c.info.image_width = source.width;
    c.info.image_height = source.height;
    c.info.input_components = source.components;
    c.info.in_color_space = source.components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&c.info);
    jpeg_set_quality(&c.info, source.quality, source.forceBaseline ? TRUE : FALSE);
    jpeg_start_compress(&c.info, TRUE);
    while (c.info.next_scanline < c.info.image_height) {
        JSAMPROW row[1] = {const_cast<JSAMPROW>(source.pixels + source.stride * c.info.next_scanline)};
        jpeg_write_scanlines(&c.info, row, 1);
    }
    jpeg_finish_compress(&c.info);
    return true;
}

} // namespace quillora::imaging::jpeglib
