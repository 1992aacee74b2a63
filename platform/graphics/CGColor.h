#pragma once

// A colour as CoreGraphics hands it to drawing calls: RGBA, components 0…1.
struct CGColor {
    float red { 0 };
    float green { 0 };
    float blue { 0 };
    float alpha { 0 };

    static constexpr CGColor white(float level, float alpha = 1) { return { level, level, level, alpha }; }
    static constexpr CGColor rgb(float red, float green, float blue, float alpha = 1)
    {
        return { red, green, blue, alpha };
    }
    bool isClear() const { return alpha <= 0; }
    friend bool operator==(const CGColor&, const CGColor&) = default;
};
