#pragma once

#include "simulator/typing/KeyTouch.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

// One number of the time model, as the docs and --help cite it.
struct TimeCoefficient {
    std::string_view name;
    double value { 0 };
    std::string_view unit;
    std::string_view source;
};

// The coefficients in the model's order, at their values as cited.
inline constexpr std::array<TimeCoefficient, 6> nominalTimeCoefficients { {
    { "fittsIntercept", 176, "ms", "thumb, Silfverberg, MacKenzie & Korhonen, CHI 2000" },
    { "fittsSlope", 64, "ms/bit", "thumb, Silfverberg, MacKenzie & Korhonen, CHI 2000" },
    { "alternationMinimum", 88, "ms",
        "minimum time between keystrokes of alternate thumbs, MacKenzie & Soukoreff, GI 2002" },
    { "strokeFactor", 68.8, "ms", "straight stroke T = m*L^n, Cao & Zhai, CHI 2007" },
    { "strokeExponent", 0.469, "", "straight stroke T = m*L^n, Cao & Zhai, CHI 2007" },
    { "pointsPerInch", 163, "pt/in", "the device's screen at 1x" },
} };

enum class Thumb { Left, Right };

// How long an expert's thumbs take over the touches of typing: an aimed
// movement to each key by Fitts' law (Shannon form), then for a gesture a
// straight stroke of its length. Every time is rounded to a whole
// millisecond, so that the times of a plan add up exactly.
class TouchTimeModel {
public:
    enum Coefficient : std::size_t {
        FittsIntercept,
        FittsSlope,
        AlternationMinimum,
        StrokeFactor,
        StrokeExponent,
        PointsPerInch,
    };

    TouchTimeModel();
    // The same model with one coefficient multiplied by the factor.
    TouchTimeModel scaled(Coefficient coefficient, double factor) const;

    double coefficient(Coefficient which) const { return m_values[which]; }

    // Moving a thumb that far (in the keyboard's points) onto a key that wide;
    // with no distance given, the thumb is over the key already.
    int movementMs(std::optional<double> distance, double keyWidth) const;
    // A straight stroke that long, in the keyboard's points; nothing for none.
    int strokeMs(double length) const;
    int alternationMs() const;
    double millimetres(double points) const;

    // The thumb's aimed movement from where it rests (nowhere yet: it starts
    // over the key) to where the touch goes down.
    int movementMs(std::optional<CGPoint> rest, const TouchPath& path) const;
    // What the touch takes once down: for a variant the platform's long-press
    // wait, then for every gesture a stroke from where it went down to where it lifts.
    int afterDownMs(const KeyTouch& touch) const;

private:
    std::array<double, nominalTimeCoefficients.size()> m_values;
};

// The nominal model, then each coefficient in turn at half and at one and a
// half times its value: the models a sensitivity analysis times the same plans with.
std::vector<TouchTimeModel> sensitivityModels();

// The thumb that touches a point: the one on its half of the keyboard.
Thumb thumbAt(double x, double keyboardMiddle);
Thumb thumbOf(const TouchPath& path);
