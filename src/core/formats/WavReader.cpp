#include "formats/WavReader.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>

#include "formats/ByteFile.h"
#include "formats/InterleavedSamples.h"
#include "formats/WaveHeader.h"
#include "support/ChannelMemory.h"
#include "support/Numbers.h"
#include "support/SideBySide.h"

namespace sono {

namespace {

constexpr float NoFormatYet = -123;
// Below this a second thread costs about as much as it saves.
constexpr int64_t SideBySideFromBytes = int64_t(4) << 20;

std::string stripTrailingZeros(std::string text) {
    for (int i = 0; i < 2 && !text.empty() && text.back() == '\0'; ++i)
        text.pop_back();
    return text;
}

std::string sizeText(int64_t bytes) {
    return " (" + std::to_string(bytes) + " bytes)";
}

class WaveParser {
  public:
    WaveParser(InputFile& file, WavReadResult& result, const std::function<void(int)>& progress)
        : file_(file), r_(result), progress_(progress) {}

    void parse() {
        uint8_t header[12];
        if (file_.read(header, 12) < 12 || std::memcmp(header, "RIFF", 4) != 0 ||
            std::memcmp(header + 8, "WAVE", 4) != 0)
            return fail(WavFailure::NotWave);
        r_.sound.BitsPerSample = NoFormatYet;
        int64_t position = 12;
        // A tail too short for a chunk header is ignored, as is a missing final pad byte.
        while (!failed() && file_.size() - position >= 8) {
            uint8_t chunk[8];
            if (!file_.seek(position) || file_.read(chunk, 8) < 8) return fail(WavFailure::Unknown);
            const uint32_t declared = readLE32(chunk + 4);
            const int64_t bodyStart = position + 8;
            const std::string id(reinterpret_cast<char*>(chunk), 4);
            // Sizes are signed 32-bit numbers, raised to even. One that is negative or larger than
            // the whole file cannot be right: such a chunk is refused before anything is
            // allocated for it, except the samples of a file cut short (below).
            int64_t size = int64_t(declared) + (declared & 1);
            const bool impossible = declared > uint32_t(INT32_MAX) || size > file_.size();
            if (impossible && id != "data") return fail(WavFailure::Unknown);
            // A chunk within that length may still run past the end of the file: the bytes that
            // are not there read as zeros.
            if (id == "fmt ")
                readFormat(size);
            else if (id == "data")
                size = impossible ? readCutShortData(bodyStart) : readData(bodyStart, size);
            else if (id == "LIST")
                readList(size);
            else if (id == "DISP")
                readDisp(size);
            else if (size > 0 && !(id == "fact" && size == 4))
                r_.unknownChunks += "\r" + id + sizeText(size);
            position = bodyStart + size;
        }
        if (failed()) return;
        r_.chunksWalked = true;
        if (r_.sound.BitsPerSample == 24) r_.sound.BitsPerSample = 16;
        addSignature();
        if (r_.sound.BitsPerSample == NoFormatYet || !sawData_) return fail(WavFailure::Corrupt);
        if (r_.sound.BitsPerSample != 8 && r_.sound.BitsPerSample != 16) {
            r_.failedBits = r_.sound.BitsPerSample;
            return fail(WavFailure::UnsupportedBits);
        }
        if (r_.sound.Channels != 1 && r_.sound.Channels != 2)
            return fail(WavFailure::NotMonoStereo);
    }

  private:
    bool failed() const { return r_.failure != WavFailure::None; }
    void fail(WavFailure why) {
        if (!failed()) r_.failure = why;
    }

    // The chunk body of `size` bytes (no more than the file's length); what lies past the end of
    // the file reads as zeros.
    std::string readBody(int64_t size) {
        std::string body(size_t(size), '\0');
        file_.read(body.data(), body.size());
        return body;
    }

    void readFormat(int64_t size) {
        // The samples are already split by the earlier format; a new one would no longer fit them.
        if (sawData_) return fail(WavFailure::Corrupt);
        if (size < 16) return fail(WavFailure::Unknown);
        std::string body = readBody(std::min<int64_t>(size, FormatChunkBytesUsed));
        const WaveFormat format =
            decodeFormatChunk(reinterpret_cast<const uint8_t*>(body.data()), body.size());
        if (format.formatTag != 1) return fail(WavFailure::NotPcm);
        r_.sound.Channels = format.channels;
        r_.sound.SampleRate = float(format.sampleRate);
        int bits = format.bitsPerSample;
        if (bits != 8 && bits != 16 && bits != 24) return fail(WavFailure::BadBitrate);
        // A sound without a positive rate can be neither played nor timed nor converted.
        if (!(r_.sound.SampleRate > 0)) return fail(WavFailure::Corrupt);
        if (bits == 24) r_.reducedFrom24 = true;
        r_.sound.BitsPerSample = float(bits);
    }

    // The samples of a data chunk of `size` bytes (within the file's length); returns the size.
    // Samples past the end of the file are silent.
    int64_t readData(int64_t bodyStart, int64_t size) {
        if (r_.sound.BitsPerSample == NoFormatYet) {
            fail(WavFailure::Corrupt);
            return size;
        }
        sawData_ = true;
        if (r_.sound.Channels != 1 && r_.sound.Channels != 2) return size; // refused after the loop
        const int bytesPerSample = int(r_.sound.BitsPerSample) / 8;
        const int channels = int(r_.sound.Channels);
        int64_t frames = size / bytesPerSample / channels;
        r_.sound.SampleCount = int32_t(frames);
        file_.seek(bodyStart);
        // The channels of a long stereo sound are made side by side: the first touch of fresh
        // memory is most of their cost.
        const auto makeLeft = [&] { allocateChannel(r_.sound.LeftSamples, size_t(frames), 0); };
        const auto makeRight = [&] {
            allocateChannel(r_.sound.RightSamples, channels == 2 ? size_t(frames) : 1, 0);
        };
        if (channels == 2 && size >= SideBySideFromBytes)
            sideBySide(makeLeft, makeRight);
        else {
            makeLeft();
            makeRight();
        }
        if (bytesPerSample == 2 && channels == 1) {
            readSampleBlock(file_, r_.sound.LeftSamples.data(), size_t(frames));
            return size;
        }
        // 8-bit samples are unsigned: their silence is 128.
        readInterleaved(file_, frames, channels, bytesPerSample, bytesPerSample == 1 ? 128 : 0,
                        r_.sound.LeftSamples.data(), r_.sound.RightSamples.data(), progress_);
        return size;
    }

    // A data chunk whose size is negative or larger than the file: a placeholder left by a writer
    // that never finished, or a header written before the recording was cut off. The whole
    // frames that are there become the sound, and the user is told; the rest of the file is
    // taken up by the samples, so the chunk loop ends here.
    int64_t readCutShortData(int64_t bodyStart) {
        const int64_t available = file_.size() - bodyStart;
        int64_t whole = available;
        if (r_.sound.BitsPerSample != NoFormatYet &&
            (r_.sound.Channels == 1 || r_.sound.Channels == 2)) {
            const int64_t frameBytes =
                int64_t(r_.sound.BitsPerSample) / 8 * int64_t(r_.sound.Channels);
            whole = available / frameBytes * frameBytes;
            r_.cutShort = true;
        }
        readData(bodyStart, whole);
        return available;
    }

    void readList(int64_t size) {
        std::string body = readBody(size);
        if (body.size() < 4) {
            if (size > 0) r_.unknownChunks += "\rLIST" + sizeText(size);
            return;
        }
        std::string type = body.substr(0, 4);
        int64_t remaining = size - 4;
        if (type != "INFO") {
            r_.unknownChunks += "\rLIST: " + type + sizeText(remaining);
            return;
        }
        // Walk what was read: a list at the end of the file may lack its pad byte.
        remaining = int64_t(body.size()) - 4;
        size_t offset = 4;
        while (remaining >= 8) {
            std::string subId = body.substr(offset, 4);
            uint32_t declared =
                readLE32(reinterpret_cast<const uint8_t*>(body.data()) + offset + 4);
            int64_t textSize = int64_t(declared) + (declared & 1);
            remaining -= 8;
            offset += 8;
            // A text that claims more than its list holds ends the list there.
            int64_t available = std::min<int64_t>(textSize, remaining);
            std::string text = body.substr(offset, size_t(available));
            if (std::string* field = r_.info.find(subId)) {
                *field = text;
                r_.fileInfo.push_back({subId, text});
            } else {
                r_.unknownChunks += "\rLIST: INFO: " + subId + sizeText(textSize);
            }
            // After every sub-chunk, known or not, the end of the information list loses up to
            // two zero characters.
            trimInformationList();
            remaining -= available;
            offset += size_t(available);
        }
    }

    void readDisp(int64_t size) {
        std::string body = readBody(size);
        if (body.size() < 4) {
            if (size > 0) r_.unknownChunks += "\rDISP" + sizeText(size);
            return;
        }
        int32_t type = int32_t(readLE32(reinterpret_cast<const uint8_t*>(body.data())));
        if (type == 1) {
            r_.dispText = body.substr(4);
            r_.fileInfo.push_back({"DISP", r_.dispText});
            trimInformationList();
        } else {
            r_.unknownChunks += "\rDISP:" + numberText(double(type)) + sizeText(size - 4);
        }
    }

    void trimInformationList() {
        if (!r_.fileInfo.empty())
            r_.fileInfo.back().text = stripTrailingZeros(std::move(r_.fileInfo.back().text));
    }

    void addSignature() {
        std::string& software = *r_.info.find("ISFT");
        if (software.empty())
            software = std::string(ProgramSignature);
        else
            software = stripTrailingZeros(software) + ", " + std::string(ProgramSignature);
    }

    InputFile& file_;
    WavReadResult& r_;
    const std::function<void(int)>& progress_;
    bool sawData_ = false;
};

} // namespace

WavReadResult readWaveFile(const std::string& path, const std::function<void(int)>& progressStep) {
    WavReadResult result;
    auto file = InputFile::open(path);
    if (!file) {
        result.failure = WavFailure::Unknown;
        return result;
    }
    try {
        WaveParser(*file, result, progressStep).parse();
    } catch (const std::exception&) {
        // Out of memory or any other failure while reading: the file is refused, never fatal.
        result = WavReadResult{};
        result.failure = WavFailure::Unknown;
    }
    if (result.failure != WavFailure::None) {
        result.sound.LeftSamples.assign(1, 0);
        result.sound.RightSamples.assign(1, 0);
        result.sound.SampleCount = 0;
    }
    return result;
}

} // namespace sono
