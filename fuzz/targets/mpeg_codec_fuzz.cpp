// The MPEG codec (frame reading, layers I to III, synthesis) over any
// stream, as a player decodes a file: open, stream information, then
// frames to the end. The PCM must be the same whether the input arrives at
// once or in small pieces with "no data yet" answers between reads. The
// first byte sets the piece size and how often the input stalls; the rest
// is the stream. One codec instance serves every input (set-up is costly);
// each input opens it afresh.
#include "decoder/engine/decoder.h"
#include "decoder/engine/decoder_errors.h"
#include "decoder/mpeg/mpeg_codec.h"
#include "fuzz/FuzzCheck.h"

#include <cstring>

namespace {

// The input side of a decoder record over the bytes of one input.
struct MemoryInput
{
    const uint8_t* data = nullptr;
    uint32_t size = 0;
    size_t piece = 0;      // 0: whole reads
    int stallEvery = 0;    // 0: never "no data yet"
    int reads = 0;
    decoder dec;
    decoder_input_state input;

    MemoryInput()
    {
        std::memset(&dec, 0, sizeof dec);
        std::memset(&input, 0, sizeof input);
        dec.input = &input;
        dec.client = this;
        dec.services.read = Read;
        dec.services.seek = Seek;
    }

    void Start(const uint8_t* bytes, uint32_t count, size_t pieceSize, int stall)
    {
        data = bytes;
        size = count;
        piece = pieceSize;
        stallEvery = stall;
        reads = 0;
        input.state = DECODER_OPEN;
        input.capabilities = INPUT_CAN_SEEK;
        input.position = 0;
        input.size = count;
    }

    // As the engine's read over an input module that delivers `piece`
    // bytes at a time and answers "no data yet" now and then: the engine
    // gathers pieces until the block is full, and passes a stall on only
    // when nothing came yet (a stall after some bytes would end the block
    // short, which the codec takes for the end of the input).
    static int Read(decoder* dec, void* buffer, int count)
    {
        MemoryInput* self = static_cast<MemoryInput*>(dec->client);
        ++self->reads;
        if (self->stallEvery > 0 && self->reads % self->stallEvery == 0)
            return DK_ERR_TIMEOUT;
        uint8_t* out = static_cast<uint8_t*>(buffer);
        int got = 0;
        while (got < count && self->input.position < self->size) {
            size_t n = self->size - self->input.position;
            if (n > static_cast<size_t>(count - got))
                n = static_cast<size_t>(count - got);
            if (self->piece && n > self->piece)
                n = self->piece;
            std::memcpy(out + got, self->data + self->input.position, n);
            self->input.position += static_cast<uint32_t>(n);
            got += static_cast<int>(n);
        }
        if (got == 0 && count > 0)
            return DK_ERR_END_OF_INPUT;
        return got == count ? 0 : got;
    }

    static int Seek(decoder* dec, uint32_t offset)
    {
        MemoryInput* self = static_cast<MemoryInput*>(dec->client);
        if (offset > self->size)
            return -1;
        self->input.position = offset;
        return 0;
    }
};

struct Codec
{
    codec_module_ops ops;
    MemoryInput input;
    void* instance = nullptr;

    Codec()
    {
        mpeg_codec_module_register(&ops);
        ops.new_instance(&instance, "audio/mpeg", "memory", nullptr, &input.dec);
    }
};

Codec& TheCodec()
{
    static Codec codec;
    return codec;
}

// The PCM is compared through its length and a 64-bit FNV-1a hash of its
// bytes: keeping every sample in a growing array took a fifth of the
// target's time under the address sanitizer.
struct Decoded
{
    uint64_t pcmHash = 1469598103934665603ull;
    uint64_t pcmSamples = 0;
    int frames = 0;
    int last = 0;

    // Not traced: its loop tells the fuzzer nothing about the codec.
    __attribute__((no_sanitize("coverage"))) void Add(const int16_t* samples, size_t count)
    {
        const uint8_t* bytes = reinterpret_cast<const uint8_t*>(samples);
        for (size_t i = 0; i < count * sizeof(int16_t); ++i)
            pcmHash = (pcmHash ^ bytes[i]) * 1099511628211ull;
        pcmSamples += count;
    }
};

Decoded DecodeAll(const uint8_t* data, uint32_t size, size_t piece, int stallEvery)
{
    Codec& codec = TheCodec();
    Decoded out;
    codec.input.Start(data, size, 0, 0);
    codec.ops.open(codec.instance, "audio/mpeg", "memory");
    stream_info info = {};
    if (codec.ops.get_stream_info(codec.instance, &info) == 0) {
        FUZZ_CHECK(info.duration_ms >= 0, "negative duration %d", info.duration_ms);
        FUZZ_CHECK(info.bitrate >= 0, "bitrate %d kbit/s", info.bitrate);
    }
    // The input stalls and cuts its reads short from here on.
    codec.input.piece = piece;
    codec.input.stallEvery = stallEvery;
    static int16_t samples[2 * 1152 * 2];
    // Each stall or piece costs at most one call; a frame needs few reads.
    const long budget = 64 + static_cast<long>(size) * 4;
    for (long call = 0; call < budget; ++call) {
        pcm_buffer pcm = {};
        pcm.samples = samples;
        info.changed = 0;
        const int r = codec.ops.decode(codec.instance, &pcm, &info);
        if (r == DK_ERR_TIMEOUT || r == DK_ERR_INVALID_FRAME)
            continue;
        if (r < 0) {
            out.last = r;
            return out;
        }
        FUZZ_CHECK(pcm.channels == 1 || pcm.channels == 2, "%d channels", pcm.channels);
        FUZZ_CHECK(pcm.sample_count >= 0 && pcm.sample_count <= 1152, "%d samples in a frame",
                   pcm.sample_count);
        ++out.frames;
        out.Add(samples, static_cast<size_t>(pcm.sample_count * pcm.channels));
    }
    FUZZ_CHECK(false, "decoding did not end after %ld calls for %u bytes", budget, size);
    return out;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    TheCodec();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1 || size > (1u << 20))
        return 0;
    const size_t piece = 1 + (data[0] & 0x1F) * 64;
    // A stall costs a decode call: one every 4 to 60 reads keeps the
    // resynchronisation over long garbage (one read a byte) affordable.
    const int stallEvery = 4 + (data[0] >> 5) * 8;
    ++data;
    --size;
    const Decoded whole = DecodeAll(data, static_cast<uint32_t>(size), 0, 0);
    const Decoded pieces = DecodeAll(data, static_cast<uint32_t>(size), piece, stallEvery);
    FUZZ_CHECK(whole.frames == pieces.frames, "%d frames at once, %d in pieces", whole.frames,
               pieces.frames);
    FUZZ_CHECK(whole.pcmSamples == pieces.pcmSamples && whole.pcmHash == pieces.pcmHash,
               "the PCM differs between whole and piecewise input");
    FUZZ_CHECK(whole.last == pieces.last, "decoding ended with %d at once, %d in pieces",
               whole.last, pieces.last);
    return 0;
}
