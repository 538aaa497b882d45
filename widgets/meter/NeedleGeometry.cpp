#include "widgets/meter/NeedleGeometry.h"

#include <cmath>

namespace {

double DegreesToRadians(double degrees)
{
    return degrees * (std::atan2(1.0, 1.0) / 45.0);
}

NeedlePoint OnCircle(const NeedleFace& face, int radius, double angle)
{
    return NeedlePoint{NeedleRound(face.centreX + radius * std::cos(angle)),
                       NeedleRound(face.centreY - radius * std::sin(angle))};
}

} // namespace

int NeedleRound(double value)
{
    return static_cast<int>(value < 0 ? std::ceil(value - 0.5) : std::floor(value + 0.5));
}

NeedleFace NeedleFaceFor(int left, int top, int right, int bottom)
{
    NeedleFace face = {};
    const int height = bottom - top;
    face.centreX = (left + right) / 2;
    face.centreY = bottom - height / 16;
    face.outerRadius = (6 * height) / 8;
    face.innerRadius = face.outerRadius / 2;
    face.startAngle = DegreesToRadians(120.0);
    face.endAngle = DegreesToRadians(60.0);
    for (int i = 0; i < 13; ++i) {
        face.ring[i] = OnCircle(face, face.outerRadius, DegreesToRadians(60.0 + 5.0 * i));
        face.ring[13 + i] = OnCircle(face, face.innerRadius, DegreesToRadians(120.0 - 5.0 * i));
    }
    return face;
}

double NeedleAngle(double value, double minimum, double maximum, const NeedleFace& face)
{
    if (!(maximum != minimum))
        return face.startAngle;
    double angle = (value - minimum) * (face.endAngle - face.startAngle) / (maximum - minimum) + face.startAngle;
    if (!(angle > face.endAngle))
        angle = face.endAngle;
    if (!(angle < face.startAngle))
        angle = face.startAngle;
    return angle;
}

void NeedleTriangle(const NeedleFace& face, double angle, NeedlePoint out[3])
{
    const int halfWidth = face.innerRadius / 20;
    out[0] = NeedlePoint{face.centreX + halfWidth, face.centreY};
    out[1] = OnCircle(face, face.outerRadius, angle);
    out[2] = NeedlePoint{face.centreX - halfWidth, face.centreY};
}
