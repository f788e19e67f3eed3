#include "imagelib/px_image_jpg_stream.h"

#include <jerror.h>

#include <cstring>

#include "imagelib/px_file.h"

namespace {

JpegStreamManager* ManagerOf(j_decompress_ptr cinfo) {
    return reinterpret_cast<JpegStreamManager::SourceLink*>(cinfo->src)->owner;
}

JpegStreamManager* ManagerOf(j_compress_ptr cinfo) {
    return reinterpret_cast<JpegStreamManager::DestinationLink*>(cinfo->dest)->owner;
}

void InitSource(j_decompress_ptr cinfo) {
    ManagerOf(cinfo)->startOfFile = true;
}

boolean FillInputBuffer(j_decompress_ptr cinfo) {
    JpegStreamManager* m = ManagerOf(cinfo);
    std::size_t count = m->file->Read(m->buffer.data(), 1, m->buffer.size());
    if (count == 0) {
        if (m->startOfFile)
            ERREXIT(cinfo, JERR_INPUT_EMPTY);
        WARNMS(cinfo, JWRN_JPEG_EOF);
        // A truncated stream ends as if the end-of-image marker had been there.
        m->buffer[0] = 0xFF;
        m->buffer[1] = JPEG_EOI;
        count = 2;
    }
    m->source.mgr.next_input_byte = m->buffer.data();
    m->source.mgr.bytes_in_buffer = count;
    m->startOfFile = false;
    return TRUE;
}

void SkipInputData(j_decompress_ptr cinfo, long count) {
    if (count <= 0)
        return;
    jpeg_source_mgr* src = cinfo->src;
    while (count > static_cast<long>(src->bytes_in_buffer)) {
        count -= static_cast<long>(src->bytes_in_buffer);
        FillInputBuffer(cinfo);
    }
    src->next_input_byte += count;
    src->bytes_in_buffer -= static_cast<std::size_t>(count);
}

void TermSource(j_decompress_ptr) {}

void InitDestination(j_compress_ptr cinfo) {
    JpegStreamManager* m = ManagerOf(cinfo);
    m->destination.mgr.next_output_byte = m->buffer.data();
    m->destination.mgr.free_in_buffer = m->buffer.size();
}

boolean EmptyOutputBuffer(j_compress_ptr cinfo) {
    JpegStreamManager* m = ManagerOf(cinfo);
    if (m->file->Write(m->buffer.data(), 1, m->buffer.size()) != m->buffer.size())
        ERREXIT(cinfo, JERR_FILE_WRITE);
    m->destination.mgr.next_output_byte = m->buffer.data();
    m->destination.mgr.free_in_buffer = m->buffer.size();
    return TRUE;
}

void TermDestination(j_compress_ptr cinfo) {
    JpegStreamManager* m = ManagerOf(cinfo);
    const std::size_t used = m->buffer.size() - m->destination.mgr.free_in_buffer;
    if (used > 0 && m->file->Write(m->buffer.data(), 1, used) != used)
        ERREXIT(cinfo, JERR_FILE_WRITE);
    m->file->Flush();
    if (m->file->Error())
        ERREXIT(cinfo, JERR_FILE_WRITE);
}

void ErrorExit(j_common_ptr cinfo) {
    auto* manager = reinterpret_cast<JpegErrorManager*>(cinfo->err);
    char message[JMSG_LENGTH_MAX];
    (*cinfo->err->format_message)(cinfo, message);
    std::strncpy(manager->lastError, message, 255);
    manager->lastError[255] = '\0';
    std::longjmp(manager->jump, 1);
}

} // namespace

void JpegStreamManager::InstallSource(j_decompress_ptr cinfo, PxFile* input) {
    file = input;
    buffer.assign(kBufferSize, 0);
    source.owner = this;
    source.mgr.init_source = InitSource;
    source.mgr.fill_input_buffer = FillInputBuffer;
    source.mgr.skip_input_data = SkipInputData;
    source.mgr.resync_to_restart = jpeg_resync_to_restart;
    source.mgr.term_source = TermSource;
    source.mgr.bytes_in_buffer = 0;
    source.mgr.next_input_byte = nullptr;
    cinfo->src = &source.mgr;
}

void JpegStreamManager::InstallDestination(j_compress_ptr cinfo, PxFile* output) {
    file = output;
    buffer.assign(kBufferSize, 0);
    destination.owner = this;
    destination.mgr.init_destination = InitDestination;
    destination.mgr.empty_output_buffer = EmptyOutputBuffer;
    destination.mgr.term_destination = TermDestination;
    cinfo->dest = &destination.mgr;
}

jpeg_error_mgr* JpegErrorManager::Install(char* errorText) {
    lastError = errorText;
    jpeg_std_error(&base);
    base.error_exit = ErrorExit;
    return &base;
}

void JpegFail(j_common_ptr cinfo, const char* text) {
    auto* manager = reinterpret_cast<JpegErrorManager*>(cinfo->err);
    std::strncpy(manager->lastError, text, 255);
    manager->lastError[255] = '\0';
    std::longjmp(manager->jump, 1);
}
