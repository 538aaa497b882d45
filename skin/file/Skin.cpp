#include "skin/file/Skin.h"

#include "foundation/xml/XmlMarkup.h"
#include "input/commands/CommandVocabulary.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char kRoot[] = "TavrixVJSkin";

// The attributes an element reads; the set-up routine below assigns those
// the element's flags name.
enum : uint32_t
{
    A_XYWH = 1u << 0,     // "x", "y", "w", "h"
    A_VISIBLE = 1u << 1,
    A_BKCOLOR = 1u << 2,
    A_TXCOLOR = 1u << 3,
    A_FONT = 1u << 4,     // "font" and "fsize"
    A_BORDER = 1u << 5,   // "border"
    A_BDCOLOR = 1u << 6,
    A_VALUE = 1u << 7,
    A_TCOLOR = 1u << 8,
    A_IMAGE = 1u << 9,    // "image"
    A_IMAGEON = 1u << 10, // "imageon"
    A_HL = 1u << 11,
    A_TOOLTIP = 1u << 12,
    A_AR = 1u << 13,
    A_TRANS = 1u << 14,
    A_ALIGN = 1u << 15,
    A_TIME = 1u << 16,
    A_ORIENT = 1u << 17,
    A_PEAK = 1u << 18,    // "linecolor", "gridcolor"
    A_ARTWIN = 1u << 19,  // "x", "y", "r", "b" and "reflect"
    A_LIGHT = 1u << 20,   // "imageon", "imageoff"
    A_METER = 1u << 21,   // "reverse", "pcolor1..3"
    A_METERIMG = 1u << 22,// "imageon", "imageoff" (the meter's pair)
    A_KNOB = 1u << 23,    // "imageknob", "imagedot"
    A_TREE = 1u << 24,    // "IJ" and the border default of lists and trees
    A_LIST = 1u << 25,    // the list flags
};

enum RectRule { RECT_PLUS1, RECT_PLAIN, RECT_GIVEN };

struct ElementRule
{
    const char* name;
    int32_t kind;
    RectRule rect;
    uint32_t attributes;
};

const uint32_t kTextAttrs = A_VISIBLE | A_XYWH | A_BKCOLOR | A_TXCOLOR | A_FONT | A_VALUE | A_TRANS |
                            A_ALIGN | A_BORDER | A_BDCOLOR;
const uint32_t kInfoAttrs = A_XYWH | A_VISIBLE | A_TCOLOR | A_IMAGE | A_IMAGEON | A_HL | A_TOOLTIP |
                            A_BKCOLOR | A_TXCOLOR | A_FONT | A_BORDER | A_BDCOLOR | A_VALUE;
const uint32_t kMeterAttrs = A_XYWH | A_VISIBLE | A_BKCOLOR | A_TXCOLOR | A_FONT | A_BORDER |
                             A_BDCOLOR | A_VALUE | A_ORIENT | A_TCOLOR | A_TOOLTIP | A_METER;

// The elements in loading order.
const ElementRule kElements[] = {
    {"button", SKIN_BUTTON, RECT_PLUS1,
     A_XYWH | A_VISIBLE | A_TCOLOR | A_IMAGE | A_IMAGEON | A_HL | A_TOOLTIP | A_VALUE | A_FONT |
         A_TXCOLOR | A_AR},
    {"videowin", SKIN_OTHER, RECT_PLAIN,
     A_XYWH | A_VISIBLE | A_BKCOLOR | A_TXCOLOR | A_FONT | A_BORDER | A_BDCOLOR | A_VALUE | A_IMAGE},
    {"status", SKIN_STATUS, RECT_PLUS1,
     A_XYWH | A_VISIBLE | A_BKCOLOR | A_TXCOLOR | A_FONT | A_BORDER | A_BDCOLOR | A_VALUE | A_TRANS |
         A_ALIGN | A_TIME},
    {"edit", SKIN_OTHER, RECT_PLAIN,
     A_XYWH | A_VISIBLE | A_BKCOLOR | A_TXCOLOR | A_FONT | A_BORDER | A_BDCOLOR | A_VALUE},
    {"infownd", SKIN_OTHER, RECT_PLUS1, kInfoAttrs},
    {"splitter", SKIN_OTHER, RECT_PLAIN, kInfoAttrs | A_TRANS},
    {"slider", SKIN_SLIDER, RECT_PLUS1,
     A_XYWH | A_VISIBLE | A_BKCOLOR | A_TXCOLOR | A_FONT | A_BORDER | A_BDCOLOR | A_VALUE | A_ORIENT |
         A_TCOLOR | A_TOOLTIP | A_IMAGE},
    {"viewpeak", SKIN_OTHER, RECT_PLUS1, A_XYWH | A_VISIBLE | A_TCOLOR | A_BKCOLOR | A_PEAK | A_VALUE},
    {"artwin", SKIN_OTHER, RECT_GIVEN, A_ARTWIN | A_VISIBLE | A_TCOLOR | A_IMAGE | A_VALUE | A_BORDER},
    {"indlight", SKIN_INDLIGHT, RECT_PLUS1, A_XYWH | A_VISIBLE | A_TCOLOR | A_LIGHT},
    {"meter", SKIN_METER, RECT_PLAIN, kMeterAttrs | A_METERIMG},
    {"progress", SKIN_PROGRESS, RECT_PLUS1, kMeterAttrs | A_IMAGE},
    {"knob", SKIN_KNOB, RECT_PLAIN,
     A_XYWH | A_VISIBLE | A_BKCOLOR | A_TXCOLOR | A_FONT | A_BORDER | A_BDCOLOR | A_VALUE | A_TCOLOR |
         A_TOOLTIP | A_KNOB},
    {"treectrl", SKIN_TREECTRL, RECT_PLUS1,
     A_XYWH | A_VISIBLE | A_BKCOLOR | A_TXCOLOR | A_FONT | A_TREE},
    {"listctrl", SKIN_LISTCTRL, RECT_PLUS1,
     A_XYWH | A_VISIBLE | A_BKCOLOR | A_TXCOLOR | A_FONT | A_VALUE | A_TREE | A_LIST},
    {"textfield", SKIN_TEXTFIELD, RECT_PLUS1, kTextAttrs},
    {"spectrum", SKIN_OTHER, RECT_PLUS1, kTextAttrs},
    {"jukepane", SKIN_OTHER, RECT_PLUS1, kTextAttrs},
};

// As atoi reads: leading white space, an optional sign, digits up to the
// first other character; no digits give 0. Saturates instead of overflowing.
int32_t ReadNumber(const CString& text)
{
    const char* p = text.GetString();
    while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-')
        negative = *p++ == '-';
    int64_t value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + (*p - '0');
        if (value > INT32_MAX)
            value = static_cast<int64_t>(INT32_MAX) + 1;
    }
    if (negative)
        value = -value;
    if (value > INT32_MAX)
        value = INT32_MAX;
    if (value < INT32_MIN)
        value = INT32_MIN;
    return static_cast<int32_t>(value);
}

// Sums that a hostile skin could push past 32 bits stay at the limits.
int32_t Add(int64_t a, int64_t b, int64_t c = 0)
{
    const int64_t sum = a + b + c;
    return sum > INT32_MAX ? INT32_MAX : sum < INT32_MIN ? INT32_MIN : static_cast<int32_t>(sum);
}

int32_t Attr(const XmlMarkup& xml, const char* name) { return ReadNumber(xml.GetAttribute(name)); }

} // namespace

void SkinItem::Reset() { *this = SkinItem(); }

Skin::Skin() { BindControlNames(); }

Skin::~Skin() = default;

void Skin::Clear()
{
    m_nVisibleJukePanes = 0;
    m_strBackground.Empty();
    m_rcBackground = SkinRect();
    m_strFolder.Empty();
    for (int zone = 0; zone < ZONE_COUNT; ++zone) {
        m_origins[zone] = SkinPoint();
        m_zones[zone] = SkinRect();
    }
    m_bJukeMode = m_bJukeMode2 = false;
    m_bPeakViewA = m_bPeakViewB = false;
    m_items.clear();
}

int32_t Skin::LookupControlName(const char* name) const
{
    std::map<std::string, int32_t>::const_iterator it = m_names.find(name ? name : "");
    return it == m_names.end() ? 0 : it->second;
}

bool Skin::ReadSkinText(const CString& path, CString& text)
{
    std::FILE* file = std::fopen(path.GetString(), "rb");
    if (!file)
        return false;
    std::string bytes;
    char buffer[16384];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.append(buffer, got);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed)
        return false;
    const size_t zero = bytes.find('\0');
    if (zero != std::string::npos)
        bytes.resize(zero);
    text = CString(bytes);
    return true;
}

bool Skin::Load(const CString& path)
{
    CString text;
    if (!ReadSkinText(path, text))
        return false;
    return LoadText(text);
}

bool Skin::LoadText(const CString& text)
{
    XmlMarkup xml;
    xml.SetDocument(text);
    if (!xml.FindElement(kRoot))
        return false;
    if (!xml.FindChildElement("background"))
        return false;

    // A skin loaded over another replaces it; the folder of its pictures
    // is the caller's and stays.
    const CString folder = m_strFolder;
    Clear();
    m_strFolder = folder;

    xml.IntoElement();
    m_strBackground = xml.GetAttribute("image");
    const int32_t x = Attr(xml, "x");
    const int32_t y = Attr(xml, "y");
    m_rcBackground.left = x;
    m_rcBackground.top = y;
    m_rcBackground.right = Add(x, Attr(xml, "width"));
    m_rcBackground.bottom = Add(y, Attr(xml, "height"));
    xml.OutOfElement();

    // Only a "jukemode" after the background counts: the search goes on
    // from there.
    m_bJukeMode = m_bJukeMode2 = false;
    if (xml.FindChildElement("jukemode")) {
        xml.IntoElement();
        const int32_t value = Attr(xml, "value");
        m_bJukeMode = value != 0;
        m_bJukeMode2 = value == 2;
        xml.OutOfElement();
    }

    ReadZones(xml);
    ReadItems(xml);
    return true;
}

void Skin::ReadZones(XmlMarkup& xml)
{
    static const char* const kZones[] = {"deckAdrop", "deckBdrop", "deckCdrop", "deckDdrop",
                                         "videodrop", "windowmove"};
    for (int zone = ZONE_DECKA; zone <= ZONE_WINDOWMOVE; ++zone) {
        xml.ResetPos();
        xml.FindElement(kRoot);
        while (xml.FindChildElement(kZones[zone])) {
            xml.IntoElement();
            SkinRect& r = m_zones[zone];
            r.left = Attr(xml, "x");
            r.top = Attr(xml, "y");
            r.right = Attr(xml, "r");
            r.bottom = Attr(xml, "b");
            if (zone != ZONE_WINDOWMOVE) {
                m_origins[zone].x = Add(r.left, -static_cast<int64_t>(m_rcBackground.left));
                m_origins[zone].y = Add(r.top, -static_cast<int64_t>(m_rcBackground.top));
            }
            xml.OutOfElement();
        }
    }
}

void Skin::ReadItems(XmlMarkup& xml)
{
    SkinItem item;
    for (const ElementRule& rule : kElements) {
        xml.ResetPos();
        xml.FindElement(kRoot);
        while (xml.FindChildElement(rule.name)) {
            item.Reset();
            item.kind = rule.kind;
            xml.IntoElement();
            const uint32_t a = rule.attributes;
            item.action = xml.GetAttribute("action");
            int32_t w = 0, h = 0;
            if (a & A_XYWH) {
                item.left = Attr(xml, "x");
                item.top = Attr(xml, "y");
                w = Attr(xml, "w");
                h = Attr(xml, "h");
            }
            if (a & A_ARTWIN) {
                item.left = Attr(xml, "x");
                item.top = Attr(xml, "y");
                item.right = Attr(xml, "r");
                item.bottom = Attr(xml, "b");
                item.reflect = Attr(xml, "reflect");
            }
            if (a & A_VISIBLE)
                item.visible = Attr(xml, "visible");
            if (a & A_BKCOLOR)
                item.bkcolor = xml.GetAttribute("bkcolor");
            if (a & A_TXCOLOR)
                item.txcolor = xml.GetAttribute("txcolor");
            if (a & A_FONT) {
                item.font = xml.GetAttribute("font");
                item.fsize = Add(static_cast<int64_t>(Attr(xml, "fsize")) * 10, 0);
            }
            if (a & A_BORDER)
                item.border = Attr(xml, "border");
            if (a & A_TREE) {
                // Lists and trees have a border unless the skin says otherwise.
                const CString border = xml.GetAttribute("border");
                item.border = border.IsEmpty() ? 1 : ReadNumber(border);
                item.IJ = Attr(xml, "IJ");
            }
            if (a & A_BDCOLOR)
                item.bdcolor = xml.GetAttribute("bdcolor");
            if (a & A_VALUE)
                item.value = xml.GetAttribute("value");
            if (a & A_TCOLOR)
                item.tcolor = xml.GetAttribute("tcolor");
            if (a & A_IMAGE)
                item.image = xml.GetAttribute("image");
            if (a & A_IMAGEON)
                item.imageon = xml.GetAttribute("imageon");
            if (a & (A_LIGHT | A_METERIMG)) {
                item.image = xml.GetAttribute("imageoff");
                item.imageon = xml.GetAttribute("imageon");
            }
            if (a & A_KNOB) {
                item.image = xml.GetAttribute("imageknob");
                item.imageon = xml.GetAttribute("imagedot");
            }
            if (a & A_HL)
                item.hl = Attr(xml, "hl");
            if (a & A_TOOLTIP)
                item.tooltip = xml.GetAttribute("tooltip");
            if (a & A_AR)
                item.AR = Attr(xml, "AR");
            if (a & A_TRANS)
                item.trans = Attr(xml, "trans");
            if (a & A_ALIGN)
                item.align = Attr(xml, "align");
            if (a & A_TIME)
                item.time = Attr(xml, "time");
            if (a & A_ORIENT)
                item.orient = xml.GetAttribute("orient");
            if (a & A_PEAK) {
                item.linecolor = xml.GetAttribute("linecolor");
                item.gridcolor = xml.GetAttribute("gridcolor");
            }
            if (a & A_METER) {
                item.reverse = Attr(xml, "reverse");
                item.pcolor1 = xml.GetAttribute("pcolor1");
                item.pcolor2 = xml.GetAttribute("pcolor2");
                item.pcolor3 = xml.GetAttribute("pcolor3");
            }
            if (a & A_LIST) {
                item.Header = Attr(xml, "Header");
                item.NHS = Attr(xml, "NHS");
                item.NVS = Attr(xml, "NVS");
                item.FH = Attr(xml, "FH");
                item.FHBkColor = xml.GetAttribute("FHBkColor");
                item.FHTxColor = xml.GetAttribute("FHTxColor");
                item.SSA = Attr(xml, "SSA");
                item.LHI = Attr(xml, "LHI");
                item.FW = Attr(xml, "FW");
                item.STI = Attr(xml, "STI");
                item.HB = Attr(xml, "HB");
                item.ICON = Attr(xml, "ICON");
            }
            xml.OutOfElement();

            if (rule.rect == RECT_PLUS1) {
                item.right = Add(item.left, w, 1);
                item.bottom = Add(item.top, h, 1);
            } else if (rule.rect == RECT_PLAIN) {
                item.right = Add(item.left, w);
                item.bottom = Add(item.top, h);
            }

            const char* name = rule.name;
            if (rule.kind == SKIN_BUTTON) {
                item.id = ActionNameMap.Lookup(item.action.GetString());
                if (item.id == 0)
                    continue;   // a button without a known command is dropped
            } else {
                item.id = LookupControlName(item.action.GetString());
            }
            if (std::strcmp(name, "splitter") == 0) {
                m_zones[ZONE_SPLITTER] = SkinRect{item.left, item.top, item.right, item.bottom};
                m_origins[ZONE_SPLITTER].x = Add(item.left, -static_cast<int64_t>(m_rcBackground.left));
                m_origins[ZONE_SPLITTER].y = Add(item.top, -static_cast<int64_t>(m_rcBackground.top));
            } else if (std::strcmp(name, "viewpeak") == 0 && item.value == "1") {
                if (item.action.CompareNoCase("vp-a") == 0)
                    m_bPeakViewA = true;
                else if (item.action.CompareNoCase("vp-b") == 0)
                    m_bPeakViewB = true;
            } else if (std::strcmp(name, "jukepane") == 0 && item.visible == 1) {
                ++m_nVisibleJukePanes;
            }
            m_items.push_back(item);
        }
    }
}

Skin& TheSkin()
{
    static Skin skin;
    return skin;
}
