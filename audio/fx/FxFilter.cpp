#include "audio/fx/FxFilter.h"

#include <stdlib.h>
#include <string.h>

#include <atomic>
#include <mutex>

namespace {

struct DeckFx
{
    std::mutex lock;
    FxRunningState state;
    DeckFx() { FxStateInit(&state); }
};

DeckFx g_decks[FX_DECK_COUNT];
std::atomic<int32_t> g_modes[2] = {{FX_NONE}, {FX_NONE}};
std::atomic<float> g_rotateSpeed{FX_DEFAULT_ROTATE_SPEED};
std::atomic<int32_t> g_echoLength{FX_DEFAULT_ECHO_LENGTH};
std::atomic<int32_t> g_flangeLength{FX_DEFAULT_FLANGE_LENGTH};

const char kName[] = "Spectrum Output Filter";
const char kDescription[] = "Version 1.0";

int ModeSlot(int deck) { return deck == 0 ? 0 : 1; }

bool ValidDeck(int deck) { return deck >= 0 && deck < FX_DECK_COUNT; }

// Filter instance: a spare word and the decoder handle.
struct FxInstance
{
    int32_t spare;
    decoder* dec;
};

int Query(module_info* info, int flags)
{
    if (info && (flags & MODULE_QUERY_NAME)) {
        info->index = 0;
        strncpy(info->name, kName, sizeof(info->name) - 1);
        strncpy(info->description, kDescription, sizeof(info->description) - 1);
    }
    return 0;
}

int NewInstance(void** instance, int, decoder* dec)
{
    FxInstance* fx = static_cast<FxInstance*>(calloc(1, sizeof(FxInstance)));
    if (!fx)
        return DK_ERR_OUT_OF_MEMORY;
    fx->dec = dec;
    *instance = fx;
    return 0;
}

int NewInstanceDeckB(void** instance, int id, decoder* dec)
{
    const int r = NewInstance(instance, id, dec);
    if (r >= 0 && dec && dec->services.get_environment_integer) {
        int32_t unused = 0;
        dec->services.get_environment_integer(dec, "FX.DECK", &unused);
    }
    return r;
}

int DeleteInstance(void* instance)
{
    free(instance);
    return 0;
}

template <int Deck>
int Write(output_filter_entry* entry, void* samples, int byte_count, int bytes_per_sample,
          int channels, int rate)
{
    DeckFx& fx = g_decks[Deck];
    const int mode = g_modes[ModeSlot(Deck)].load(std::memory_order_relaxed);
    if (mode != FX_NONE && byte_count > 0) {
        std::lock_guard<std::mutex> hold(fx.lock);
        FxProcessBlock(&fx.state, mode, samples, byte_count, bytes_per_sample, channels,
                       g_rotateSpeed.load(std::memory_order_relaxed),
                       g_echoLength.load(std::memory_order_relaxed),
                       g_flangeLength.load(std::memory_order_relaxed));
    }
    if (!entry || !entry->next || !entry->next->ops.write)
        return byte_count;
    return entry->next->ops.write(entry->next, samples, byte_count, bytes_per_sample, channels, rate);
}

template <int Deck>
int Register(output_filter_module_ops* ops)
{
    if (!ops)
        return DK_ERR_INVALID_PARAMETERS;
    memset(ops, 0, sizeof(*ops));
    ops->version = DECODER_MODULE_VERSION;
    ops->query = Query;
    ops->new_instance = Deck == 1 ? NewInstanceDeckB : NewInstance;
    ops->delete_instance = DeleteInstance;
    ops->write = Write<Deck>;
    return 0;
}

void ClearRings(int slot, int mode)
{
    for (int deck = 0; deck < FX_DECK_COUNT; ++deck) {
        if (ModeSlot(deck) != slot)
            continue;
        if (mode == FX_ECHO)
            FxClearEchoBuffer(deck);
        else if (mode == FX_FLANGE)
            FxClearDelayBuffer(deck);
    }
}

} // namespace

int FxFilterModuleA(output_filter_module_ops* ops) { return Register<0>(ops); }
int FxFilterModuleB(output_filter_module_ops* ops) { return Register<1>(ops); }
int FxFilterModuleC(output_filter_module_ops* ops) { return Register<2>(ops); }
int FxFilterModuleD(output_filter_module_ops* ops) { return Register<3>(ops); }

output_filter_module_register_function FxFilterModuleEntry(int deck)
{
    switch (deck) {
    case 0: return FxFilterModuleA;
    case 1: return FxFilterModuleB;
    case 2: return FxFilterModuleC;
    case 3: return FxFilterModuleD;
    default: return nullptr;
    }
}

int FxGetMode(int deck) { return g_modes[ModeSlot(deck)].load(); }

void FxSetMode(int deck, int mode)
{
    if (mode < FX_NONE || mode > FX_FLANGE)
        mode = FX_NONE;
    const int slot = ModeSlot(deck);
    // The rings are cleared before the mode is seen by the output threads.
    if (mode != g_modes[slot].load())
        ClearRings(slot, mode);
    g_modes[slot].store(mode);
}

int FxToggleMode(int deck, int mode)
{
    const int next = FxGetMode(deck) == mode ? FX_NONE : mode;
    FxSetMode(deck, next);
    return next;
}

float FxGetRotateSpeed() { return g_rotateSpeed.load(); }
void FxSetRotateSpeed(float radiansPerFrame) { g_rotateSpeed.store(radiansPerFrame); }
int FxGetEchoLength() { return g_echoLength.load(); }
void FxSetEchoLength(int frames) { g_echoLength.store(FxEchoLengthInRing(frames)); }
int FxGetFlangeLength() { return g_flangeLength.load(); }
void FxSetFlangeLength(int frames) { g_flangeLength.store(FxFlangeLengthInRing(frames)); }

void FxClearEchoBuffer(int deck)
{
    if (!ValidDeck(deck))
        return;
    std::lock_guard<std::mutex> hold(g_decks[deck].lock);
    FxClearEcho(&g_decks[deck].state);
}

void FxClearDelayBuffer(int deck)
{
    if (!ValidDeck(deck))
        return;
    std::lock_guard<std::mutex> hold(g_decks[deck].lock);
    FxClearFlange(&g_decks[deck].state);
}

void FxRestoreDefaults()
{
    g_modes[0].store(FX_NONE);
    g_modes[1].store(FX_NONE);
    g_rotateSpeed.store(FX_DEFAULT_ROTATE_SPEED);
    g_echoLength.store(FX_DEFAULT_ECHO_LENGTH);
    g_flangeLength.store(FX_DEFAULT_FLANGE_LENGTH);
    for (DeckFx& fx : g_decks) {
        std::lock_guard<std::mutex> hold(fx.lock);
        FxStateInit(&fx.state);
    }
}

double FxGetRotateAngle(int deck)
{
    if (!ValidDeck(deck))
        return 0;
    std::lock_guard<std::mutex> hold(g_decks[deck].lock);
    return g_decks[deck].state.angle;
}
