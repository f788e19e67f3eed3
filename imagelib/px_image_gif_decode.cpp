// GIF decoding: the block loop, extensions, frame counting and the composition of frames over
// the logical screen.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "imagelib/px_codec_io.h"
#include "imagelib/px_gif_lzw_decoder.h"
#include "imagelib/px_gif_stream.h"
#include "imagelib/px_image_gif.h"

namespace {

constexpr std::size_t kScreenDescriptorSize = 13;
constexpr std::size_t kImageDescriptorSize = 9;
constexpr BYTE kExtensionIntroducer = 0x21; // '!'
constexpr BYTE kImageSeparator = 0x2C;      // ','
constexpr BYTE kTrailer = 0x3B;             // ';'
constexpr BYTE kGraphicControlLabel = 0xF9;
constexpr BYTE kCommentLabel = 0xFE;
constexpr BYTE kApplicationLabel = 0xFF;
constexpr BYTE kColourTableFlag = 0x80;
constexpr BYTE kInterlaceFlag = 0x40;
constexpr int kRestoreToBackground = 2;
constexpr std::size_t kMaxGifBytes = 0x7FFFFFFF;
// Damaged frames may leave this many pixels in all to the fill; beyond it the file is refused.
constexpr std::uint64_t kMostMissingPixels = 1u << 16;

struct ColourTable {
    std::array<BYTE, 256 * 3> rgb{};
    DWORD count = 0;
};

struct ImageDescriptor {
    DWORD left = 0, top = 0, width = 0, height = 0;
    BYTE flags = 0;
};

WORD Le16(const BYTE* p) {
    return static_cast<WORD>(p[0] | (p[1] << 8));
}

bool ReadDescriptor(PxGifStream& in, ImageDescriptor& d) {
    BYTE raw[kImageDescriptorSize];
    if (!in.Take(raw, sizeof raw))
        return false;
    d.left = Le16(raw);
    d.top = Le16(raw + 2);
    d.width = Le16(raw + 4);
    d.height = Le16(raw + 6);
    d.flags = raw[8];
    return true;
}

DWORD TableSizeOf(BYTE flags) {
    return 2u << (flags & 7);
}

// A frame that is empty or does not fit the logical screen is passed over whole: its colour
// table, code size and data.
bool Fits(const ImageDescriptor& d, DWORD screenWidth, DWORD screenHeight) {
    return d.width > 0 && d.height > 0 && d.left + d.width <= screenWidth &&
           d.top + d.height <= screenHeight;
}

bool SkipFrameBody(PxGifStream& in, const ImageDescriptor& d) {
    if ((d.flags & kColourTableFlag) && !in.Skip(3 * TableSizeOf(d.flags)))
        return false;
    return in.Skip(1) && in.SkipSubBlocks();
}

// The most pixels LZW data of `bytes` bytes can deliver with codes of at least `codeBits`
// bits: after each clear the n-th code expands to at most n + 1 pixels, and never to more than
// the decoder's stack holds.
std::uint64_t MostPixelsFrom(std::uint64_t bytes, int codeBits) {
    constexpr std::uint64_t kLongestString = 4098;
    const std::uint64_t codes = bytes * 8 / static_cast<std::uint64_t>(codeBits);
    const std::uint64_t rising = std::min(codes, kLongestString - 1);
    return rising * (rising + 3) / 2 + (codes - rising) * kLongestString;
}

// Bytes of image data in the sub-blocks that follow, up to and including the empty one;
// false when the data end first.
bool MeasureSubBlocks(PxGifStream& in, std::uint64_t& bytes) {
    bytes = 0;
    for (;;) {
        const int length = in.Next();
        if (length < 0)
            return false;
        if (length == 0)
            return true;
        bytes += static_cast<std::uint64_t>(length);
        if (!in.Skip(static_cast<std::size_t>(length)))
            return false;
    }
}

// One byte that holds `value` in each of its pixels, as PxImage::Clear fills.
BYTE FillByte(WORD bpp, BYTE value) {
    if (bpp == 1)
        return value ? 255 : 0;
    if (bpp == 4)
        return static_cast<BYTE>((value & 0x0F) * 17);
    return value;
}

// Palette index of pixel x in a stored row of 1, 4 or 8 bits per pixel.
BYTE IndexIn(const BYTE* row, LONG x, WORD bpp) {
    if (bpp == 8)
        return row[x];
    if (bpp == 4)
        return static_cast<BYTE>((x & 1) ? row[x >> 1] & 0x0F : row[x >> 1] >> 4);
    return static_cast<BYTE>((row[x >> 3] >> (7 - (x & 7))) & 1);
}

void PutIndex(BYTE* row, LONG x, WORD bpp, BYTE index) {
    if (bpp == 8) {
        row[x] = index;
    } else if (bpp == 4) {
        BYTE& b = row[x >> 1];
        b = (x & 1) ? static_cast<BYTE>((b & 0xF0) | (index & 0x0F))
                    : static_cast<BYTE>((b & 0x0F) | (index << 4));
    } else {
        const BYTE bit = static_cast<BYTE>(0x80 >> (x & 7));
        BYTE& b = row[x >> 3];
        b = (index & 1) ? static_cast<BYTE>(b | bit) : static_cast<BYTE>(b & ~bit);
    }
}

// Rows of one frame, top row first, in plain or interlaced order; values are packed for
// pictures below 8 bits.
class FrameRows : public PxGifRowSink {
public:
    FrameRows(PxImage& image, bool interlaced) : m_image(image), m_interlaced(interlaced) {}

    bool PutRow(BYTE* pixels, DWORD count) override {
        const LONG height = static_cast<LONG>(m_image.GetHeight());
        if (m_pass >= 4 || m_row >= height)
            return false;
        const LONG row = m_row;
        if (m_interlaced) {
            static constexpr LONG kStart[4] = {0, 4, 2, 1};
            static constexpr LONG kStep[4] = {8, 8, 4, 2};
            m_row += kStep[m_pass];
            while (m_pass < 4 && m_row >= height) {
                if (++m_pass < 4)
                    m_row = kStart[m_pass];
            }
        } else {
            ++m_row;
        }
        const DWORD bytes = Pack(pixels, count);
        BYTE* target = m_image.GetBits(static_cast<DWORD>(height - 1 - row));
        std::memcpy(target, pixels, std::min(bytes, m_image.GetRowStride()));
        return true;
    }

private:
    DWORD Pack(BYTE* pixels, DWORD count) const {
        const WORD bpp = m_image.GetBpp();
        if (bpp == 8)
            return count;
        const DWORD perByte = 8u / bpp;
        const BYTE mask = static_cast<BYTE>((1u << bpp) - 1);
        const DWORD bytes = (count + perByte - 1) / perByte;
        for (DWORD i = 0; i < bytes; ++i) {
            BYTE packed = 0;
            for (DWORD k = 0; k < perByte; ++k) {
                const DWORD x = i * perByte + k;
                const BYTE value = x < count ? static_cast<BYTE>(pixels[x] & mask) : 0;
                packed |= static_cast<BYTE>(value << (8 - bpp * (k + 1)));
            }
            pixels[i] = packed;
        }
        return bytes;
    }

    PxImage& m_image;
    bool m_interlaced;
    LONG m_row = 0;
    int m_pass = 0;
};

} // namespace

// What the frames of a file claim, read before any pixel is made.
struct PxImageGIF::FrameSurvey {
    LONG frames = 0;             // frames that fit the screen
    DWORD right = 0, bottom = 0; // how far they reach
    // Pixels the frames claim beyond what their data could deliver.
    std::uint64_t shortfall = 0;
};

struct PxImageGIF::DecodeState {
    DWORD screenWidth = 0; // as the file gives it: frames are fitted against it
    DWORD screenHeight = 0;
    DWORD composedWidth = 0; // as far as the frames reach: what the composition fills
    DWORD composedHeight = 0;
    RECT dirty{};         // where frames were mixed since the screen was last filled
    BYTE outsideFill = 0; // what the screen holds outside that rectangle
    bool globalTable = false;
    ColourTable table;
    int trueColourCounter = 0;
    LONG imageNumber = 0;
    LONG firstTransIndex = -1;
    int previousDisposal = 0;
    PxImage background;
    std::unique_ptr<PxImage> composed; // the 24-bit picture of true-colour composition
};

bool PxImageGIF::DecodeExtension(PxGifStream& in, bool applyControl) {
    const int label = in.Next();
    if (label < 0)
        return false;
    bool good = true;
    switch (label) {
    case kGraphicControlLabel: {
        const int size = in.Next();
        BYTE record[4];
        good = in.Take(record, sizeof record) && size == 4;
        if (good && applyControl) {
            m_control = GraphicControl{record[0], Le16(record + 1), record[3]};
            if (m_control.flags & 1)
                SetTransIndex(m_control.transIndex);
            m_disposal = (m_control.flags >> 2) & 7;
        }
        break;
    }
    case kCommentLabel: {
        const int size = in.Next();
        good = size >= 0 && in.Take(m_comment.data(), static_cast<std::size_t>(size));
        m_comment[good ? static_cast<std::size_t>(size) : 0] = '\0';
        break;
    }
    case kApplicationLabel: {
        BYTE identifier[11];
        good = in.Next() == 11 && in.Take(identifier, sizeof identifier);
        const int size = good ? in.Next() : -1;
        BYTE data[256];
        good = size >= 0 && in.Take(data, static_cast<std::size_t>(size));
        if (good && size > 2)
            m_loopCount = Le16(data + 1);
        break;
    }
    default:
        break;
    }
    return good && in.SkipSubBlocks();
}

// Counts the frames that fit the screen, how far they reach and how many of their pixels
// their data could not deliver, without decoding them. Only the comment and the loop count are
// taken from the extensions here; transparency, delay and disposal belong to the frame that
// follows each one and are read as the frames are decoded.
PxImageGIF::FrameSurvey PxImageGIF::SurveyFrames(PxGifStream in, DWORD screenWidth,
                                                 DWORD screenHeight) {
    FrameSurvey survey;
    bool previousWasZero = true;
    for (;;) {
        const int ch = in.Next();
        if (ch < 0)
            return survey;
        if (!previousWasZero && ch != 0)
            continue;
        switch (ch) {
        case kExtensionIntroducer:
            if (!DecodeExtension(in, false))
                return survey;
            break;
        case kImageSeparator: {
            ImageDescriptor d;
            if (!ReadDescriptor(in, d))
                return survey;
            if (!Fits(d, screenWidth, screenHeight)) {
                if (!SkipFrameBody(in, d))
                    return survey;
                break;
            }
            ++survey.frames;
            survey.right = std::max(survey.right, d.left + d.width);
            survey.bottom = std::max(survey.bottom, d.top + d.height);
            if ((d.flags & kColourTableFlag) && !in.Skip(3 * TableSizeOf(d.flags)))
                return survey;
            const int codeSize = in.Next();
            std::uint64_t bytes = 0;
            const bool whole = codeSize >= 0 && MeasureSubBlocks(in, bytes);
            // A code size the decoder refuses delivers nothing.
            const std::uint64_t most =
                codeSize >= 2 && codeSize <= 9 ? MostPixelsFrom(bytes, codeSize + 1) : 0;
            const std::uint64_t claimed = std::uint64_t{d.width} * d.height;
            if (claimed > most)
                survey.shortfall += claimed - most;
            if (!whole)
                return survey;
            break;
        }
        case kTrailer:
            return survey;
        default:
            previousWasZero = ch == 0;
            break;
        }
    }
}

void PxImageGIF::MixInto(PxImage& background, LONG left, LONG top) const {
    const LONG width = static_cast<LONG>(GetWidth()), height = static_cast<LONG>(GetHeight());
    const LONG screenHeight = static_cast<LONG>(background.GetHeight());
    const LONG trans = GetTransIndex();
    const WORD bpp = GetBpp(), screenBpp = background.GetBpp();
    // The frame lies inside the screen (frames that do not are passed over).
    for (LONG y = 0; y < height; ++y) {
        const BYTE* from = GetBits(static_cast<DWORD>(height - 1 - y));
        BYTE* to = background.GetBits(static_cast<DWORD>(screenHeight - 1 - (top + y)));
        if (bpp == 8 && screenBpp == 8) {
            if (trans < 0) {
                std::memcpy(to + left, from, static_cast<std::size_t>(width));
                continue;
            }
            for (LONG x = 0; x < width; ++x)
                if (from[x] != trans)
                    to[left + x] = from[x];
            continue;
        }
        for (LONG x = 0; x < width; ++x) {
            const BYTE index = IndexIn(from, x, bpp);
            if (index != trans)
                PutIndex(to, left + x, screenBpp, index);
        }
    }
}

// Disposal 2 gives the whole screen `value` again; only what frames changed since the last
// fill needs it when the rest already holds it.
void PxImageGIF::RestoreBackground(DecodeState& state, BYTE value) {
    PxImage& screen = state.background;
    const RECT& r = state.dirty;
    if (value != state.outsideFill) {
        screen.Clear(value);
        state.outsideFill = value;
    } else if (r.right > r.left && r.bottom > r.top) {
        const WORD bpp = screen.GetBpp();
        const std::size_t first = static_cast<std::size_t>(r.left) * bpp / 8;
        const std::size_t end = (static_cast<std::size_t>(r.right) * bpp + 7) / 8;
        const LONG height = static_cast<LONG>(screen.GetHeight());
        for (LONG y = r.top; y < r.bottom; ++y)
            std::memset(screen.GetBits(static_cast<DWORD>(height - 1 - y)) + first,
                        FillByte(bpp, value), end - first);
    }
    state.dirty = RECT{};
}

int PxImageGIF::DecodeFrame(PxGifStream& in, DecodeState& state) {
    ImageDescriptor d;
    if (!ReadDescriptor(in, d)) {
        SetLastErrorText("GIF frame data ends early");
        return -1;
    }
    if (!Fits(d, state.screenWidth, state.screenHeight)) {
        SkipFrameBody(in, d);
        return 0;
    }
    if (state.imageNumber == 0 && d.width != state.screenWidth && d.height != state.screenHeight)
        ++state.trueColourCounter;
    const bool localTable = (d.flags & kColourTableFlag) != 0;
    if (localTable) {
        state.table.count = TableSizeOf(d.flags);
        if (!in.Take(state.table.rgb.data(), 3 * state.table.count)) {
            SetLastErrorText("GIF frame data ends early");
            return -1;
        }
    }
    const DWORD bpp = state.table.count <= 2 ? 1 : state.table.count <= 16 ? 4 : 8;
    const bool trueColour = state.trueColourCounter > 1;

    if (!trueColour) {
        if (state.imageNumber == 0) {
            state.background.CopyInfo(*this);
            if (!state.background.Create(static_cast<LONG>(state.composedWidth),
                                         static_cast<LONG>(state.composedHeight), bpp,
                                         PXIMAGE_FORMAT_GIF)) {
                SetLastErrorText(state.background.GetLastError());
                return -1;
            }
            state.firstTransIndex = GetTransIndex();
            state.background.Clear(m_control.transIndex);
            state.outsideFill = m_control.transIndex;
        } else {
            // The screen composed so far becomes the background again; this image is made
            // anew at the frame's size right below, so its pixels are handed over, not copied.
            if (!state.background.Transfer(*this)) {
                SetLastErrorText("PxImage::Create can't allocate memory");
                return -1;
            }
            CopyInfo(state.background);
            if (state.previousDisposal == kRestoreToBackground)
                RestoreBackground(state, static_cast<BYTE>(state.firstTransIndex));
        }
    }

    if (!Create(static_cast<LONG>(d.width), static_cast<LONG>(d.height), bpp, PXIMAGE_FORMAT_GIF))
        return -1;
    if (state.globalTable || localTable) {
        if (HasTransIndex() && state.table.count < 256) {
            std::array<BYTE, 256 * 3> full;
            full.fill(255);
            std::copy_n(state.table.rgb.begin(), 3 * state.table.count, full.begin());
            SetPalette(full.data(), 256);
        } else {
            SetPalette(state.table.rgb.data(), state.table.count);
        }
    }
    // Rows the data never reach show the transparent index (or the first colour), never
    // leftovers of the memory.
    Clear(static_cast<BYTE>(HasTransIndex() ? GetTransIndex() : 0));

    PxGifLzwDecoder decoder;
    FrameRows rows(*this, (d.flags & kInterlaceFlag) != 0);
    const PxGifLzwDecoder::Result result = decoder.Decode(in, d.width, rows);
    if (result == PxGifLzwDecoder::kTruncated) {
        SetLastErrorText("GIF frame data ends early");
        return -1;
    }
    if (result == PxGifLzwDecoder::kOutOfMemory) {
        SetLastErrorText("PxImage::Create can't allocate memory");
        return -1;
    }
    // Whatever the codes did, the reading goes on after the frame's last sub-block.
    if (!decoder.ReachedTerminator() && in.Skip(decoder.BlockBytesLeft()))
        in.SkipSubBlocks();
    if (CheckCancel()) {
        SetLastErrorText("Cancelled");
        return -1;
    }

    if (trueColour) {
        if (!state.composed) {
            state.composed = std::make_unique<PxImage>();
            state.composed->CopyInfo(*this);
            if (!state.composed->Create(static_cast<LONG>(state.composedWidth),
                                        static_cast<LONG>(state.composedHeight), 24,
                                        PXIMAGE_FORMAT_GIF)) {
                SetLastErrorText(state.composed->GetLastError());
                return -1;
            }
            state.composed->Clear(0);
        }
        const LONG width = static_cast<LONG>(d.width), height = static_cast<LONG>(d.height);
        const LONG screenHeight = static_cast<LONG>(state.composedHeight);
        const PxRgbQuad* palette = GetPalette();
        const WORD frameBpp = GetBpp();
        for (LONG y = 0; y < height; ++y) {
            const BYTE* from = GetBits(static_cast<DWORD>(height - 1 - y));
            BYTE* to = state.composed->GetBits(
                           static_cast<DWORD>(screenHeight - 1 - (static_cast<LONG>(d.top) + y))) +
                       3 * static_cast<std::size_t>(d.left);
            for (LONG x = 0; x < width; ++x, to += 3) {
                const PxRgbQuad c = palette[IndexIn(from, x, frameBpp)];
                to[0] = c.rgbBlue;
                to[1] = c.rgbGreen;
                to[2] = c.rgbRed;
            }
        }
    } else {
        MixInto(state.background, static_cast<LONG>(d.left), static_cast<LONG>(d.top));
        RECT& dirty = state.dirty;
        const RECT frame{static_cast<LONG>(d.left), static_cast<LONG>(d.top),
                         static_cast<LONG>(d.left + d.width), static_cast<LONG>(d.top + d.height)};
        dirty = dirty.right > dirty.left
                    ? RECT{std::min(dirty.left, frame.left), std::min(dirty.top, frame.top),
                           std::max(dirty.right, frame.right), std::max(dirty.bottom, frame.bottom)}
                    : frame;
        state.background.SetTransIndex(state.firstTransIndex);
        state.background.SetPalette(GetPalette(), 256);
        Transfer(state.background);
    }
    state.previousDisposal = (m_control.flags >> 2) & 7;
    return 1;
}

bool PxImageGIF::Decode(PxFile* file) {
    if (!file)
        return false;
    BYTE screen[kScreenDescriptorSize];
    if (!PxReadExact(file, screen, sizeof screen) || std::memcmp(screen, "GIF8", 4) != 0)
        return false;
    DecodeState state;
    state.screenWidth = Le16(screen + 6);
    state.screenHeight = Le16(screen + 8);
    const BYTE screenFlags = screen[10];
    const std::vector<BYTE> bytes = PxReadToEnd(file, kMaxGifBytes);
    PxGifStream in{bytes.data(), bytes.size(), 0};
    state.globalTable = (screenFlags & kColourTableFlag) != 0;
    if (state.globalTable) {
        state.table.count = TableSizeOf(screenFlags);
        if (!in.Take(state.table.rgb.data(), 3 * state.table.count)) {
            SetLastErrorText("GIF frame data ends early");
            return false;
        }
    }
    state.trueColourCounter = state.globalTable ? 0 : 1;

    const FrameSurvey survey = SurveyFrames(in, state.screenWidth, state.screenHeight);
    // The picture is as large as its frames reach: beyond them the screen would only ever
    // hold the fill.
    state.composedWidth = survey.right;
    state.composedHeight = survey.bottom;
    if (m_info.cancel == kPxCancelSizeOnly) {
        m_head.biWidth = static_cast<LONG>(state.composedWidth);
        m_head.biHeight = static_cast<LONG>(state.composedHeight);
        return true;
    }
    // Frames whose data fall far short of the pixels they claim are damaged beyond showing,
    // and would cost work the file does not pay for.
    if (survey.shortfall > kMostMissingPixels) {
        SetLastErrorText("GIF frames claim more pixels than their data hold");
        return false;
    }
    const LONG frames = survey.frames;
    SetNumFrames(frames);
    LONG frameToLoad = GetFrameIndex();
    if (frameToLoad < 0 || frameToLoad >= frames)
        return false;
    if (frames == 1)
        state.trueColourCounter = 0;

    bool previousWasZero = true;
    bool stop = false;
    while (!stop) {
        const int ch = in.Next();
        if (ch < 0)
            break;
        if (CheckCancel()) {
            Destroy();
            SetLastErrorText("Cancelled");
            return false;
        }
        if (!previousWasZero && ch != 0)
            continue;
        switch (ch) {
        case kExtensionIntroducer:
            stop = !DecodeExtension(in, true);
            break;
        case kImageSeparator: {
            const int decoded = DecodeFrame(in, state);
            if (decoded < 0) {
                Destroy();
                return false;
            }
            if (decoded == 0)
                break;
            if (state.trueColourCounter > 1)
                frameToLoad = frames - 1;
            if (state.imageNumber == frameToLoad)
                stop = true;
            else
                ++state.imageNumber;
            break;
        }
        case kTrailer:
            stop = true;
            break;
        default:
            previousWasZero = ch == 0;
            break;
        }
    }

    if (state.composed) {
        if (m_control.flags & 1) {
            state.composed->SetTransColor(GetPaletteColor(static_cast<BYTE>(GetTransIndex())));
            state.composed->SetTransIndex(0);
        }
        Transfer(*state.composed);
    }
    // A file whose frame ends before any pixels were delivered has nothing to show.
    return IsValid();
}
