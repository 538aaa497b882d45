#include "library/tempo/DecoderBlocks.h"

#include "decoder/engine/decoder.h"
#include "decoder/modules/file_input.h"
#include "decoder/mpeg/mpeg_codec.h"

namespace tempo {

DecoderBlocks::DecoderBlocks(StreamFacts facts) : m_facts(facts) {}

DecoderBlocks::~DecoderBlocks()
{
    Release();
}

void DecoderBlocks::Release()
{
    if (m_decoder)
        decoder_delete(m_decoder);
    m_decoder = nullptr;
}

bool DecoderBlocks::Open(const char* path, int* channels, int* sampleRate)
{
    Release();
    if (!path || !m_facts || decoder_new(&m_decoder) != 0) {
        m_decoder = nullptr;
        return false;
    }
    codec_module_ops codec = {};
    mpeg_codec_module_register(&codec);
    input_module_ops input = {};
    file_input_module_register(&input);
    const bool opened = decoder_codec_module_register(m_decoder, &codec) >= 0 &&
                        decoder_input_module_register(m_decoder, &input) >= 0 &&
                        decoder_input_new(m_decoder, path, -1) == 0 &&
                        decoder_input_open(m_decoder) == 0 &&
                        m_facts(path, channels, sampleRate);
    if (!opened)
        Release();
    return opened;
}

int DecoderBlocks::Next(TempoBlock* block)
{
    if (!m_decoder || !block)
        return DK_ERR_INVALID_PARAMETERS;
    const int result = decoder_decode(m_decoder, nullptr);
    if (result != 0)
        return result;
    const pcm_buffer* pcm = m_decoder->pcm;
    // The detector takes 16-bit samples; the engine gives nothing else, but
    // a block that says otherwise is handed on empty.
    if (pcm && pcm->bytes_per_sample == 2) {
        block->samples = static_cast<const int16_t*>(pcm->samples);
        block->frames = pcm->sample_count;
        block->channels = pcm->channels;
    } else {
        *block = TempoBlock();
    }
    return 0;
}

} // namespace tempo
