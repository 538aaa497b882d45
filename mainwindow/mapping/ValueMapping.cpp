#include "mainwindow/mapping/ValueMapping.h"

#include <cmath>
#include <cstdlib>

namespace mapping
{

namespace
{

struct SliderRow
{
    int id;
    SliderKind kind;
    int deck;
    int band;
};

const SliderRow kSliders[] = {
    {-101, SliderKind::Crossfader, -1, -1},
    {-102, SliderKind::Gain, 0, -1},
    {-105, SliderKind::Gain, 1, -1},
    {-116, SliderKind::Gain, 2, -1},
    {-122, SliderKind::Gain, 3, -1},
    {-103, SliderKind::Pitch, 0, -1},
    {-106, SliderKind::Pitch, 1, -1},
    {-117, SliderKind::Pitch, 2, -1},
    {-123, SliderKind::Pitch, 3, -1},
    {-104, SliderKind::Tempo, 0, -1},
    {-107, SliderKind::Tempo, 1, -1},
    {-108, SliderKind::Eq, 0, 0},
    {-109, SliderKind::Eq, 0, 1},
    {-110, SliderKind::Eq, 0, 2},
    {-111, SliderKind::Eq, 1, 0},
    {-112, SliderKind::Eq, 1, 1},
    {-113, SliderKind::Eq, 1, 2},
    {-118, SliderKind::Eq, 2, 0},
    {-119, SliderKind::Eq, 2, 1},
    {-120, SliderKind::Eq, 2, 2},
    {-124, SliderKind::Eq, 3, 0},
    {-125, SliderKind::Eq, 3, 1},
    {-126, SliderKind::Eq, 3, 2},
    {-114, SliderKind::Seek, 0, -1},
    {-115, SliderKind::Seek, 1, -1},
    {-121, SliderKind::Seek, 2, -1},
    {-127, SliderKind::Seek, 3, -1},
    {-3108, SliderKind::VideoSeek, -1, -1},
    {-3107, SliderKind::VideoVolume, -1, -1},
    {-5018, SliderKind::JukeboxVolume, -1, -1},
};

struct ControllerRow
{
    int id;
    ControllerKind kind;
    int deck;
    int band;
};

const ControllerRow kControllers[] = {
    {27318, ControllerKind::Crossfader, -1, -1},
    {28001, ControllerKind::Gain, 0, -1},
    {28007, ControllerKind::Gain, 1, -1},
    {28002, ControllerKind::Pitch, 0, -1},
    {28008, ControllerKind::Pitch, 1, -1},
    {28003, ControllerKind::Eq, 0, 0},
    {28004, ControllerKind::Eq, 0, 1},
    {28005, ControllerKind::Eq, 0, 2},
    {28009, ControllerKind::Eq, 1, 0},
    {28010, ControllerKind::Eq, 1, 1},
    {28011, ControllerKind::Eq, 1, 2},
    {28014, ControllerKind::JogWheel, 0, -1},
    {28015, ControllerKind::JogWheel, 1, -1},
};

// A position computed in floating point, truncated toward zero and held
// to [low, high] before it becomes an int (a value far outside the
// controller's range cannot overflow the conversion).
int TruncClamp(double value, int low, int high)
{
    value = std::trunc(value);
    return value < low ? low : value > high ? high : int(value);
}

// The offsets of the gain and pitch sliders and of the EQ knobs, for w
// units away from the middle c of the range (steps = c - 1), in the order
// of operations the mapping has always used.
double SliderOffset(double w, double steps)
{
    return 100.0 / steps * w * 0.79;
}

double KnobOffset(double w, double steps)
{
    return w * 300.0 / steps * 0.57;
}

// The position around `centre` of controller value v; v below the middle
// adds the offset when `belowAdds` (before inversion).
double MapAroundCentre(int value, const ControllerRange& range, int centre,
                    double (*offset)(double, double), bool belowAdds)
{
    double n = std::abs(double(range.rhigh) - double(range.rlow));
    double c = n / 2.0;
    double steps = c - 1.0;
    if (steps <= 0.0 || double(value) == c)
        return centre;
    double w = std::fabs(value - c);
    double o = offset(w, steps);
    bool adds = (value < c) == belowAdds;
    if (range.Inverted())
        adds = !adds;
    return adds ? centre + o : centre - o;
}

// Beyond any control's range; the crossfader control clamps to its own.
const int kFarPosition = 1 << 20;

int LimitStep(long long step)
{
    return step > 3 ? 3 : step <= 0 ? 1 : int(step);
}

} // namespace

SliderTarget ClassifySlider(int controlId)
{
    for (const SliderRow& row : kSliders) {
        if (row.id == controlId)
            return SliderTarget{row.kind, row.deck, row.band};
    }
    return SliderTarget{};
}

ControllerTarget ClassifyControllerCommand(int commandId)
{
    for (const ControllerRow& row : kControllers) {
        if (row.id == commandId)
            return ControllerTarget{row.kind, row.deck, row.band};
    }
    return ControllerTarget{};
}

int CrossfaderFromController(int value, const ControllerRange& range)
{
    int x = TruncClamp(value * 1.6 - 100.0, -kFarPosition, kFarPosition);
    return range.Inverted() ? -x : x;
}

int SliderFromController(int value, const ControllerRange& range)
{
    return TruncClamp(MapAroundCentre(value, range, 50, SliderOffset, true), 0, 100);
}

int EqKnobFromController(int value, const ControllerRange& range)
{
    return TruncClamp(MapAroundCentre(value, range, KnobCentre, KnobOffset, false), KnobMinimum,
                      KnobMaximum);
}

int JogKnobSeconds(int length, int position)
{
    return int(std::trunc(double(length) * (position - KnobMinimum) / 300.0));
}

int JogWheelSeek(int value, bool inverted, bool denon)
{
    int high, low;
    long long v = value, forward, backward;
    if (denon) {
        high = 64;
        low = 64;
        forward = v;
        backward = 64 - v;
    } else {
        high = 100;
        low = 27;
        forward = inverted ? v : 127 - v;
        backward = inverted ? 127 - v : v;
    }
    int f = LimitStep(forward);
    int e = LimitStep(backward);
    if (value > high)
        return inverted ? -e : f;
    if (value < low)
        return inverted ? f : -e;
    return 0;
}

} // namespace mapping
