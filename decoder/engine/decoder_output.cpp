// The decoder's output side: selecting, opening and closing the output and
// passing writes, controls and messages down the output filter chain.
#include "decoder/engine/decoder_private.h"

#include <stdlib.h>
#include <string.h>

namespace {

output_filter_entry* chain(decoder* dec) { return dec->private_part->output_chain; }

} // namespace

int decoder_output_new(decoder* dec, const char* name, int id)
{
    if (!dec)
        return DK_ERR_INVALID_PARAMETERS;
    decoder_private* p = dec->private_part;
    return decoder_endpoint_new(
        dec, p->output, p->output_module, p->output_modules, name, id,
        +[](module_entry* e) -> const output_module_ops* { return &e->ops.output; },
        DK_ERR_UNSUPPORTED_OUTPUT, decoder_output_delete);
}

int decoder_output_delete(decoder* dec)
{
    if (!dec)
        return DK_ERR_INVALID_PARAMETERS;
    decoder_private* p = dec->private_part;
    if (!p->output.ops)
        return decoder_internal_error(dec, "null output module");
    if (p->output.state == DECODER_OPEN)
        decoder_output_close(dec);
    if (p->output.instance)
        p->output.ops->delete_instance(p->output.instance);
    p->output.instance = nullptr;
    return 0;
}

int decoder_output_open(decoder* dec)
{
    if (!dec)
        return DK_ERR_INVALID_PARAMETERS;
    decoder_private* p = dec->private_part;
    if (!p->output.ops)
        return decoder_internal_error(dec, "null output module");
    if (!p->output.instance)
        return decoder_internal_error(dec, "null output instance");
    if (p->output.state == DECODER_OPEN)
        return decoder_internal_error(dec, "output not closed");
    const int r = chain(dec)->ops.open(chain(dec));
    if (r < 0)
        return r;
    p->output.state = DECODER_OPEN;
    p->output.capabilities = chain(dec)->ops.get_capabilities(chain(dec));
    return r;
}

int decoder_output_close(decoder* dec)
{
    if (!dec)
        return DK_ERR_INVALID_PARAMETERS;
    decoder_private* p = dec->private_part;
    if (!p->output.ops)
        return decoder_internal_error(dec, "null output module");
    if (!p->output.instance)
        return decoder_internal_error(dec, "null output instance");
    if (p->output.state != DECODER_OPEN)
        return decoder_internal_error(dec, "output not open");
    const int r = chain(dec)->ops.close(chain(dec));
    p->output.state = DECODER_CLOSED;
    return r;
}

int decoder_output_write(decoder* dec, void* samples, int byte_count, int bytes_per_sample,
                         int channels, int sample_rate)
{
    if (!dec)
        return DK_ERR_INVALID_PARAMETERS;
    if (dec->output->state != DECODER_OPEN)
        return decoder_internal_error(dec, "output not open");
    if (!samples || byte_count < 0)
        return DK_ERR_INVALID_PARAMETERS;
    return chain(dec)->ops.write(chain(dec), samples, byte_count, bytes_per_sample, channels,
                                 sample_rate);
}

int decoder_output_set_control(decoder* dec, output_control* control, int mask)
{
    if (!dec)
        return DK_ERR_INVALID_PARAMETERS;
    if (!dec->output->ops)
        return decoder_internal_error(dec, "null output module");
    if (!control)
        return decoder_internal_error(dec, "null control block");
    return chain(dec)->ops.set_control(chain(dec), control, mask);
}

int decoder_output_get_control(decoder* dec, output_control* control, int mask)
{
    if (!dec)
        return DK_ERR_INVALID_PARAMETERS;
    if (!dec->output->ops)
        return decoder_internal_error(dec, "null output module");
    if (!control)
        return decoder_internal_error(dec, "null control block");
    return chain(dec)->ops.get_control(chain(dec), control, mask);
}

int decoder_output_send_message(decoder* dec, int type, const void* data, int size)
{
    if (!dec)
        return DK_ERR_INVALID_PARAMETERS;
    if (!dec->output->ops)
        return decoder_internal_error(dec, "null output module");
    return chain(dec)->ops.send_message(chain(dec), type, data, size);
}
