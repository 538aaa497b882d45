// The needle meter's geometry, apart from drawing: the pivot, the two radii
// and the ring the needle shows in, and the needle triangle for a value.
// Angles in radians; 120 degrees is the left (minimum) end of the arc and
// 60 degrees the right (maximum) end.
#pragma once

struct NeedlePoint
{
    int x;
    int y;
};

struct NeedleFace
{
    int centreX;
    int centreY;
    int outerRadius;
    int innerRadius;
    double startAngle; // 120 degrees
    double endAngle;   // 60 degrees
    // The ring: the outer arc from 60 to 120 degrees in 5-degree steps,
    // then the inner arc back from 120 to 60.
    NeedlePoint ring[26];
};

// The face geometry of a client rectangle (integer divisions truncate).
NeedleFace NeedleFaceFor(int left, int top, int right, int bottom);

// Rounds halves away from zero.
int NeedleRound(double value);

// The needle's angle for a value; values outside the range pin the needle
// to the nearest end of the arc. An empty range (minimum equal to maximum)
// has no defined angle: the needle rests at the start of the arc.
double NeedleAngle(double value, double minimum, double maximum, const NeedleFace& face);

// The needle triangle: base right of the pivot, tip, base left of it.
void NeedleTriangle(const NeedleFace& face, double angle, NeedlePoint out[3]);
