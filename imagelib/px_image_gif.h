// The GIF format class (format 2): reads GIF87a and GIF89a streams with several frames,
// transparency, interlacing, comments and the loop count, composing the frames over the logical
// screen; writes GIF89a with LZW, literal-code or run-length image data, and pictures of more
// than 256 colours as tiles that each carry their own colour table.
#pragma once

#include <array>
#include <span>
#include <vector>

#include "imagelib/px_image.h"

struct PxGifStream;

// The codec option of format 2: how image data are written.
enum PxGifEncoding : DWORD {
    PXGIF_ENCODING_LZW = 0,
    PXGIF_ENCODING_LITERAL = 1,
    PXGIF_ENCODING_RUN_LENGTH = 2,
};

class PxImageGIF : public PxImage {
public:
    PxImageGIF() : PxImage(PXIMAGE_FORMAT_GIF) {}

    bool Decode(PxFile* file);
    bool Encode(PxFile* file);

    const char* GetComment() const { return m_comment.data(); }
    int GetLoopCount() const { return m_loopCount; }
    int GetDisposalMethod() const { return m_disposal; }
    WORD GetFrameDelay() const { return m_control.delay; }

private:
    // The graphic control extension's record, in file order.
    struct GraphicControl {
        BYTE flags = 0; // bit 0 transparent index present, bits 2-4 disposal method
        WORD delay = 0;
        BYTE transIndex = 0;
    };
    struct DecodeState;
    struct FrameSurvey;

    bool DecodeExtension(PxGifStream& in, bool applyControl);
    FrameSurvey SurveyFrames(PxGifStream in, DWORD screenWidth, DWORD screenHeight);
    // 1 when a frame was decoded, 0 when one was skipped, -1 on failure (text set).
    int DecodeFrame(PxGifStream& in, DecodeState& state);
    void MixInto(PxImage& background, LONG left, LONG top) const;
    static void RestoreBackground(DecodeState& state, BYTE value);

    void WriteHeader(std::vector<BYTE>& out, bool withPalette) const;
    void WriteGraphicControl(std::vector<BYTE>& out) const;
    void WriteComment(std::vector<BYTE>& out) const;
    void WriteImageBody(std::vector<BYTE>& out, bool localTable, LONG left, LONG top,
                        std::span<const BYTE> indices, DWORD encoding) const;
    std::vector<BYTE> IndicesFromTop() const;
    void EncodeTiles(std::vector<BYTE>& out);

    GraphicControl m_control;
    std::array<char, 256> m_comment{};
    int m_loopCount = 0;
    int m_disposal = 0;
};
