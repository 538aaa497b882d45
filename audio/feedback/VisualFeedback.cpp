#include "audio/feedback/VisualFeedback.h"

#include <string.h>

#include <map>
#include <mutex>
#include <new>

#include "audio/feedback/FeedbackLevels.h"
#include "decoder/engine/decoder_errors.h"
#include "decoder/fft/fft.h"

namespace {

// --- registry ---------------------------------------------------------------

std::mutex& RegistryLock()
{
    static std::mutex lock;
    return lock;
}
std::map<int32_t, FeedbackMainWindow*>& MainWindows()
{
    static std::map<int32_t, FeedbackMainWindow*> windows;
    return windows;
}
std::map<int32_t, FeedbackLevelMeters*>& LevelMeters()
{
    static std::map<int32_t, FeedbackLevelMeters*> meters;
    return meters;
}

template <class T>
T* Find(std::map<int32_t, T*>& map, int32_t key)
{
    auto it = map.find(key);
    return it == map.end() ? nullptr : it->second;
}

// --- handlers ---------------------------------------------------------------

class HandlerException
{
public:
    explicit HandlerException(int error) : m_error(error) {}
    int Error() const { return m_error; }

private:
    int m_error;
};

// The client variables a handler is made with.
struct HandlerProperties
{
    int32_t width = 0;
    int32_t height = 0;
    int32_t mainWindow = 0;
    int32_t feedbackWindow = 0;
    int32_t player = 0;
};

class FeedbackHandler
{
public:
    virtual ~FeedbackHandler() = default;
    virtual void OnFeedback(const pcm_block& block) = 0;
};

class Analyser
{
public:
    Analyser()
    {
        if (fft_new(&m_fft) != 0)
            throw HandlerException(DK_ERR_OUT_OF_MEMORY);
    }
    ~Analyser() { fft_delete(m_fft); }
    Analyser(const Analyser&) = delete;
    Analyser& operator=(const Analyser&) = delete;
    fft_context* Get() const { return m_fft; }

private:
    fft_context* m_fft = nullptr;
};

// The deck meters of step 2: only while the deck plays and the main window
// has its window. True when they were updated.
bool UpdateDeckMeters(int32_t mainWindow, int deck, const FeedbackLevels& levels,
                      fft_context* scopeFft, const pcm_block* block)
{
    std::lock_guard<std::mutex> hold(RegistryLock());
    FeedbackMainWindow* window = Find(MainWindows(), mainWindow);
    if (!window || !window->FeedbackWindowHandle() || deck < 0 || deck > 3 || !window->IsDeckPlaying(deck))
        return false;
    window->SetDeckLevel(deck, (levels.left + levels.right) / 2);
    window->SetDeckVuLevels(deck, levels.left, levels.right);
    int value = 0;
    if (scopeFft && block && window->IsDeckScopeShown(deck) && !window->DecodesInMemory() &&
        FeedbackScopeValue(scopeFft, *block, deck, &value))
        window->AppendDeckScopeValue(deck, value);
    return true;
}

class DeckLevelHandler : public FeedbackHandler
{
public:
    DeckLevelHandler(const HandlerProperties& p, int deck) : m_window(p.feedbackWindow), m_deck(deck) {}
    void OnFeedback(const pcm_block& block) override
    {
        UpdateDeckMeters(m_window, m_deck, FeedbackBlockLevels(block), m_fft.Get(), &block);
    }

private:
    Analyser m_fft;
    int32_t m_window;
    int m_deck;
};

class JukeboxLevelHandler : public FeedbackHandler
{
public:
    explicit JukeboxLevelHandler(const HandlerProperties& p) : m_window(p.feedbackWindow) {}
    void OnFeedback(const pcm_block& block) override
    {
        const FeedbackLevels levels = FeedbackBlockLevels(block);
        std::lock_guard<std::mutex> hold(RegistryLock());
        FeedbackLevelMeters* meters = Find(LevelMeters(), m_window);
        if (meters && meters->FeedbackWindowHandle())
            meters->SetVULevels(levels.left, levels.right);
    }

private:
    int32_t m_window;
};

// A drawing surface on the feedback window: its device context is taken at
// creation and given back at the end.
class DibCanvas
{
public:
    DibCanvas(int32_t window, int width, int height)
        : m_window(reinterpret_cast<HWND>(static_cast<intptr_t>(window))),
          m_width(width > 0 ? width : 0), m_height(height > 0 ? height : 0)
    {
        m_pixels = new uint32_t[static_cast<size_t>(m_width) * m_height + 1]();
        memset(&m_header, 0, sizeof(m_header));
        m_header.biSize = sizeof(BITMAPINFOHEADER);
        m_header.biWidth = m_width;
        m_header.biHeight = m_height;
        m_header.biPlanes = 1;
        m_header.biBitCount = 32;
        m_header.biCompression = BI_RGB;
        m_dc = m_window ? GetDC(m_window) : nullptr;
    }
    ~DibCanvas()
    {
        if (m_dc)
            ReleaseDC(m_window, m_dc);
        delete[] m_pixels;
    }
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;

    FeedbackCanvas Canvas() const { return FeedbackCanvas{m_pixels, m_width, m_height}; }
    void CopyToWindow()
    {
        if (!m_dc || !m_width || !m_height)
            return;
        BITMAPINFO info;
        memset(&info, 0, sizeof(info));
        info.bmiHeader = m_header;
        SetDIBitsToDevice(m_dc, 0, 0, m_width, m_height, 0, 0, 0, m_height, m_pixels, &info,
                          DIB_RGB_COLORS);
    }

private:
    HWND m_window;
    int m_width;
    int m_height;
    uint32_t* m_pixels;
    BITMAPINFOHEADER m_header;
    HDC m_dc;
};

class SpectrumBarsHandler : public FeedbackHandler
{
public:
    // deck: 0 or 1 for the deck views, -1 for the dAredero view, which
    // updates no deck meters.
    SpectrumBarsHandler(const HandlerProperties& p, int deck)
        : m_canvas(p.feedbackWindow, p.width, p.height), m_mainWindow(p.mainWindow), m_deck(deck)
    {
        m_bars.Setup(SpectrumBarWidth(p.width, deck < 0), p.height);
        m_barColour = FEEDBACK_DEFAULT_BAR;
        m_peakColour = FEEDBACK_DEFAULT_PEAK;
        std::lock_guard<std::mutex> hold(RegistryLock());
        if (FeedbackMainWindow* window = Find(MainWindows(), m_mainWindow))
            window->GetSpectrumColours(&m_barColour, &m_peakColour);
    }
    void OnFeedback(const pcm_block& block) override
    {
        int n = 0;
        const int8_t* first = FeedbackFirstChannel(block, &n);
        if (n > 512)
            n = 512;
        if (n > 0)
            fft_set_input(m_fft.Get(), first, n); // a refused count keeps the previous input
        if (fft_get_spectrum(m_fft.Get(), m_spectrum, 256) == 0)
            m_bars.Update(m_spectrum);
        m_bars.Draw(m_canvas.Canvas(), m_barColour, m_peakColour);
        m_canvas.CopyToWindow();
        if (m_deck >= 0)
            UpdateDeckMeters(m_mainWindow, m_deck, FeedbackBlockLevels(block), nullptr, nullptr);
    }

private:
    Analyser m_fft;
    DibCanvas m_canvas;
    SpectrumBars m_bars;
    uint8_t m_spectrum[256] = {};
    int32_t m_mainWindow;
    int m_deck;
    uint32_t m_barColour;
    uint32_t m_peakColour;
};

class OscilloscopeHandler : public FeedbackHandler
{
public:
    explicit OscilloscopeHandler(const HandlerProperties& p)
        : m_canvas(p.feedbackWindow, Oscilloscope::WIDTH, Oscilloscope::HEIGHT) {}
    void OnFeedback(const pcm_block& block) override
    {
        m_trace.Draw(m_canvas.Canvas(), block);
        m_canvas.CopyToWindow();
    }

private:
    DibCanvas m_canvas;
    Oscilloscope m_trace;
};

// --- the module's operations ----------------------------------------------

const char* const kHandlerNames[] = {
    "sample-spectrum", "sample-spectrum2", "sample-spectruma", "sample-spectrumb",
    "sample-vu", "sample-vua", "sample-vub", "sample-oscilloscope"};

FeedbackHandler* MakeHandler(const char* name, const HandlerProperties& p)
{
    if (!strcmp(name, "sample-spectrum"))
        return new JukeboxLevelHandler(p);
    if (!strcmp(name, "sample-spectrum2"))
        return new SpectrumBarsHandler(p, -1);
    if (!strcmp(name, "sample-spectruma"))
        return new SpectrumBarsHandler(p, 0);
    if (!strcmp(name, "sample-spectrumb"))
        return new SpectrumBarsHandler(p, 1);
    if (!strcmp(name, "sample-vu"))
        return new DeckLevelHandler(p, p.player);
    if (!strcmp(name, "sample-vua"))
        return new DeckLevelHandler(p, 0);
    if (!strcmp(name, "sample-vub"))
        return new DeckLevelHandler(p, 1);
    if (!strcmp(name, "sample-oscilloscope"))
        return new OscilloscopeHandler(p);
    return nullptr;
}

int Probe(const char* name)
{
    if (!name)
        return -1;
    for (const char* prefix : {"sample-spectrum", "sample-spectrum2", "sample-vu", "sample-oscilloscope"})
        if (!strncmp(name, prefix, strlen(prefix)))
            return 0;
    return -1;
}

void CopyText(char* to, size_t size, const char* text)
{
    strncpy(to, text, size - 1);
    to[size - 1] = 0;
}

int Query(module_info* info, int flags)
{
    if (!info)
        return DK_ERR_INVALID_PARAMETERS;
    // Flag 1 answers nothing else.
    if (flags & MODULE_QUERY_NAME) {
        CopyText(info->name, sizeof(info->name), "Sample Feedback Module");
        CopyText(info->description, sizeof(info->description), "Version 1.0");
        return 0;
    }
    if (flags & MODULE_QUERY_DEVICE_COUNT)
        info->index = 1;
    if (flags & MODULE_QUERY_DEVICE) {
        if (info->index < 0 || info->index >= 8)
            return DK_ERR_INVALID_PARAMETERS;
        CopyText(info->name, sizeof(info->name), kHandlerNames[info->index]);
        CopyText(info->description, sizeof(info->description), "sample feedback handler");
        return 0;
    }
    return 0;
}

int NewInstance(void** instance, const char* name, feedback_module_entry*, feedback_server* server,
                const feedback_services* services)
{
    if (!instance)
        return DK_ERR_INVALID_PARAMETERS;
    *instance = nullptr;
    if (!name || !services || !services->get_integer)
        return DK_ERR_INVALID_PARAMETERS;
    HandlerProperties p;
    services->get_integer(server, "CLIENT.FEEDBACK-WIDTH", &p.width);
    services->get_integer(server, "CLIENT.FEEDBACK-HEIGHT", &p.height);
    services->get_integer(server, "CLIENT.MAINWINDOW", &p.mainWindow);
    const int r = services->get_integer(server, "CLIENT.FEEDBACK-WINDOW", &p.feedbackWindow);
    services->get_integer(server, "CLIENT.PLAYER", &p.player);
    if (r < 0)
        return r;
    // Nothing may leave the feedback thread as an exception: a handler that
    // cannot be made is a failed new.
    try {
        FeedbackHandler* handler = MakeHandler(name, p);
        if (!handler)
            return -1;
        *instance = handler;
        return 0;
    } catch (const HandlerException& e) {
        return e.Error();
    } catch (const std::bad_alloc&) {
        return DK_ERR_OUT_OF_MEMORY;
    }
}

int DeleteInstance(void* instance)
{
    delete static_cast<FeedbackHandler*>(instance);
    return 0;
}

int Nothing(void*) { return 0; }

int Event(void* instance, const pcm_block* block)
{
    if (instance && block)
        static_cast<FeedbackHandler*>(instance)->OnFeedback(*block);
    return 0;
}

} // namespace

int32_t FeedbackHandleValue(HWND window) { return static_cast<int32_t>(reinterpret_cast<intptr_t>(window)); }

void FeedbackRegisterMainWindow(int32_t handle, FeedbackMainWindow* window)
{
    std::lock_guard<std::mutex> hold(RegistryLock());
    if (window)
        MainWindows()[handle] = window;
    else
        MainWindows().erase(handle);
}

void FeedbackRegisterLevelMeters(int32_t handle, FeedbackLevelMeters* meters)
{
    std::lock_guard<std::mutex> hold(RegistryLock());
    if (meters)
        LevelMeters()[handle] = meters;
    else
        LevelMeters().erase(handle);
}

int sample_feedback_module_register(feedback_handler_module_ops* ops)
{
    if (!ops)
        return DK_ERR_INVALID_PARAMETERS;
    memset(ops, 0, sizeof(*ops));
    ops->version = 0x30801;
    ops->probe = Probe;
    ops->query = Query;
    ops->new_instance = NewInstance;
    ops->delete_instance = DeleteInstance;
    ops->start = Nothing;
    ops->stop = Nothing;
    ops->send_message = nullptr;
    ops->event = Event;
    return 0;
}
