#include "simulator/typing/TouchTimeModel.h"

#include "platform/keyboard/UIKeyboardLayoutStar.h"

#include <cmath>

namespace {

constexpr double millimetresPerInch = 25.4;

int wholeMs(double milliseconds)
{
    return static_cast<int>(std::lround(milliseconds));
}

double distance(CGPoint from, CGPoint to)
{
    return std::hypot(static_cast<double>(to.x) - from.x, static_cast<double>(to.y) - from.y);
}

} // namespace

TouchTimeModel::TouchTimeModel()
{
    for (std::size_t index = 0; index < m_values.size(); ++index)
        m_values[index] = nominalTimeCoefficients[index].value;
}

TouchTimeModel TouchTimeModel::scaled(Coefficient coefficient, double factor) const
{
    TouchTimeModel model = *this;
    model.m_values[coefficient] *= factor;
    return model;
}

double TouchTimeModel::millimetres(double points) const
{
    return points * millimetresPerInch / m_values[PointsPerInch];
}

int TouchTimeModel::movementMs(std::optional<double> distance, double keyWidth) const
{
    double difficulty = 0;
    if (distance && keyWidth > 0)
        difficulty = std::log2(*distance / keyWidth + 1);
    return wholeMs(m_values[FittsIntercept] + m_values[FittsSlope] * difficulty);
}

int TouchTimeModel::strokeMs(double length) const
{
    if (length <= 0)
        return 0;
    return wholeMs(m_values[StrokeFactor] * std::pow(millimetres(length), m_values[StrokeExponent]));
}

int TouchTimeModel::alternationMs() const
{
    return wholeMs(m_values[AlternationMinimum]);
}

std::vector<TouchTimeModel> sensitivityModels()
{
    TouchTimeModel nominal;
    std::vector<TouchTimeModel> models { nominal };
    for (std::size_t index = 0; index < nominalTimeCoefficients.size(); ++index) {
        for (double factor : { 0.5, 1.5 })
            models.push_back(nominal.scaled(static_cast<TouchTimeModel::Coefficient>(index), factor));
    }
    return models;
}

Thumb thumbAt(double x, double keyboardMiddle)
{
    return x < keyboardMiddle ? Thumb::Left : Thumb::Right;
}

Thumb thumbOf(const TouchPath& path)
{
    return thumbAt(path.down.x, path.keyboardMiddle);
}

int TouchTimeModel::movementMs(std::optional<CGPoint> rest, const TouchPath& path) const
{
    return movementMs(rest ? std::optional(distance(*rest, path.down)) : std::nullopt, path.keyWidth);
}

int TouchTimeModel::afterDownMs(const KeyTouch& touch) const
{
    int wait = touch.kind == TouchKind::Variant ? wholeMs(UIKeyboardLayoutStar::longPressDelay * 1000) : 0;
    return wait + strokeMs(distance(touch.path.down, touch.path.lift));
}
