#include "AudioFileHeader.h"

#include "FileKind.h"
#include "Limits.h"

namespace ondrel::host
{

namespace
{
    // A chunk as the container's walk finds it: type, declared length, where its body starts.
    struct Chunk
    {
        juce::String type;
        juce::int64 length, body;
    };

    struct Reader
    {
        juce::FileInputStream& in;
        bool bigEndian;

        juce::int64 u16() { const auto v = bigEndian ? in.readShortBigEndian() : in.readShort(); return (juce::uint16) v; }
        juce::int64 u32() { const auto v = bigEndian ? in.readIntBigEndian() : in.readInt(); return (juce::uint32) v; }
        juce::String tag() { char t[5] = {}; in.read (t, 4); return juce::String::fromUTF8 (t, 4); }
    };

    // The fields both formats give, and the data chunk's place, with no check yet.
    struct Fields
    {
        bool isAiff = false, gotFormat = false, gotData = false, isFloat = false, formatKnown = true;
        juce::int64 channels = 0, bits = 0, dataStart = 0, dataLength = 0, aiffFrames = 0, declaredEnd = 0;
    };

    // Walks every chunk up to the end the container declares, as JUCE's readers
    // do (a WAV chunk is padded to an even length, an AIFF one is read unpadded,
    // the last chunk of a kind counts), and gathers what the checks need.
    bool walkChunks (juce::FileInputStream& in, Fields& f, juce::String& error)
    {
        const auto fail = [&error] (const juce::String& why) { error = why; return false; };
        const auto fileSize = in.getTotalLength();
        Reader r { in, false };
        const auto container = r.tag();
        const auto rf64 = container == "RF64";
        f.isAiff = container == "FORM";
        r.bigEndian = f.isAiff;
        const auto declaredSize = r.u32();
        const auto form = r.tag();
        juce::int64 rf64DataLength = 0;

        if (! ((container == "RIFF" || rf64) && form == "WAVE") && ! (f.isAiff && (form == "AIFF" || form == "AIFC")))
            return fail ("not a WAV or AIFF file");

        f.declaredEnd = 8 + declaredSize;

        if (rf64)
        {
            const auto ds64 = r.tag();
            const auto ds64Length = r.u32();
            const auto ds64End = in.getPosition() + ds64Length + (ds64Length & 1);
            const auto size64 = in.readInt64();
            rf64DataLength = in.readInt64();

            if (ds64 != "ds64" || ds64Length < 28 || size64 < 0 || size64 > (juce::int64 { 1 } << 62) || rf64DataLength < 0)
                return fail ("an RF64 file without a usable ds64 chunk");

            f.declaredEnd = 8 + size64;
            in.setPosition (ds64End);
        }

        // JUCE reads any chunk that starts before the declared end.
        for (auto position = in.getPosition(); position < f.declaredEnd && position + 8 <= fileSize;)
        {
            in.setPosition (position);
            const Chunk chunk { r.tag(), r.u32(), position + 8 };
            const auto isData = chunk.type == (f.isAiff ? "SSND" : "data");

            if (! isData && chunk.body + chunk.length > fileSize)
                return fail ("its '" + chunk.type + "' chunk runs past the end of the file");

            if (chunk.type == (f.isAiff ? "COMM" : "fmt "))
            {
                f.gotFormat = true;
                const auto formatTag = f.isAiff ? 1 : r.u16();
                f.channels = r.u16();

                if (f.isAiff)
                {
                    f.aiffFrames = r.u32();
                    f.bits = r.u16();
                    in.skipNextBytes (10); // the sample rate, read by JUCE
                    const auto compression = chunk.length > 18 ? r.tag() : juce::String ("NONE");
                    f.isFloat = compression.equalsIgnoreCase ("fl32");
                    f.formatKnown = f.isFloat || compression == "NONE" || compression == "twos" || compression == "sowt";
                }
                else
                {
                    in.skipNextBytes (10); // rate, bytes per second, block align
                    f.bits = r.u16();
                    f.isFloat = formatTag == 3;
                    // Extensible: JUCE reads its sub-format, and reads nothing from a short chunk.
                    f.formatKnown = formatTag == 1 || formatTag == 3 || (formatTag == 0xfffe && chunk.length >= 40);
                }
            }
            else if (isData)
            {
                f.gotData = true;
                // AIFF: an offset and a block size come before the samples.
                const auto offset = f.isAiff ? r.u32() : 0;
                f.dataStart = chunk.body + (f.isAiff ? 8 + offset : 0);
                f.dataLength = rf64 ? rf64DataLength : juce::jmax<juce::int64> (0, chunk.length - (f.dataStart - chunk.body));
            }

            position = chunk.body + chunk.length + (f.isAiff ? 0 : (chunk.length & 1));
        }

        return true;
    }

    // What this tool cannot read in the gathered fields, or nothing, with `header` filled in.
    juce::String findProblem (const Fields& f, juce::int64 fileSize, AudioFileHeader& header)
    {
        const auto bitsKnown = f.bits == 8 || f.bits == 16 || f.bits == 24 || f.bits == 32;

        if (! (f.gotFormat && f.gotData))
            return f.gotFormat ? "no data chunk" : "no format chunk";
        if (! f.formatKnown || ! bitsKnown || (f.isFloat && f.bits != 32))
            return "a sample format this tool cannot read (" + juce::String (f.bits) + "-bit)";
        if (f.channels < 1 || f.channels > limits::maxFileChannels)
            return juce::String (f.channels) + " channels (this tool reads 1 to " + juce::String (limits::maxFileChannels) + ")";

        const auto bytesPerFrame = f.channels * f.bits / 8;
        // AIFF also counts the frames in its header.
        const auto claimed = f.isAiff ? juce::jmin (f.aiffFrames, f.dataLength / bytesPerFrame) : f.dataLength / bytesPerFrame;
        const auto inFile = juce::jlimit<juce::int64> (0, claimed, (fileSize - f.dataStart) / bytesPerFrame);
        header = { f.isAiff, (int) f.channels, (int) f.bits, claimed, inFile };

        // Only what the file holds counts: a WAV written to a pipe (by sox or ffmpeg)
        // announces a placeholder size of 2 or 4 GB in both its sizes.
        if (inFile > limits::maxSamples)
            return "it holds " + juce::String (inFile) + " sample frames, more than the "
                   + juce::String (limits::maxSamples) + " this tool reads";
        if (f.dataStart + inFile * bytesPerFrame > f.declaredEnd)
            return "its data (" + juce::String (inFile * bytesPerFrame) + " bytes) runs past the "
                   + juce::String (f.declaredEnd) + " bytes the file says it has";
        return {};
    }
}


std::optional<AudioFileHeader> readAudioFileHeader (const juce::File& file, juce::String& error)
{
    const auto kind = kindOf (file);
    Fields fields;
    AudioFileHeader header;

    if (kind != FileKind::regular)
        error = kind == FileKind::missing ? "no such file" : "not a regular file";
    else if (juce::FileInputStream in (file); in.failedToOpen())
        error = "cannot open it";
    else if (walkChunks (in, fields, error))
        error = findProblem (fields, in.getTotalLength(), header);

    if (error.isEmpty())
        return header;

    error = "cannot read audio from " + file.getFullPathName() + ": " + error;
    return std::nullopt;
}

} // namespace ondrel::host
