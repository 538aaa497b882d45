// The scope control's arithmetic, apart from drawing: the left margin of
// the plot, the vertical line of one level value, when a level reaches the
// top, and the line of one column of a waveform strip.
#pragma once

struct ScopeLine
{
    int x;
    int yFrom; // drawn from here ...
    int yTo;   // ... up to here, this end excluded
};

// The plot's left margin for a value range and a number of decimals: the
// larger count of whole decimal digits of the two limits (a limit of 0
// counts 0), plus the decimals.
int ScopeLeftMargin(double lower, double upper, int decimals);

// The line of a level value at column x in a plot of that height (top 0):
// L = trunc(value x 2.3), t = height x 0.01 x L, centred on height / 2.
ScopeLine ScopeLevelLine(double value, int x, int plotHeight);

// The line's length t as ScopeLevelLine takes it.
double ScopeLevelLength(double value, int plotHeight);

// True when the top pixel of the column is cleared: the previous value lies
// at or above the upper limit, or the new line fills the plot.
bool ScopeClearsTop(double previous, double lower, double pixelsPerUnit, int plotTop, int plotBottom,
                    double lineLength);

// The line of the next waveform column after stripX in a strip of that
// height, at percent of the height, centred.
ScopeLine ScopeWaveColumn(double stripX, int stripHeight, int percent);
