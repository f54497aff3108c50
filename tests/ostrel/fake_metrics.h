#pragma once

#include <string_view>

#include "ostrel/draw_ops.h"
#include "ostrel/markup.h"

namespace ostreltest {

// Every character is `pointSize` pixels wide (one more when bold) and a line
// is twice the point size tall, all times `scale`: easy to add up by hand.
class FixedMetrics final : public ostrel::TextMetrics {
public:
    explicit FixedMetrics(int scale = 1) : m_scale(scale) {}
    int TextWidth(const ostrel::Font& font, std::string_view text) const override
    {
        return static_cast<int>(ostrel::CharCount(text)) * CharWidth(font);
    }
    int TextHeight(const ostrel::Font& font, std::string_view) const override
    {
        return 2 * font.pointSize * m_scale;
    }
    int CharWidth(const ostrel::Font& font) const { return (font.pointSize + (font.bold ? 1 : 0)) * m_scale; }

private:
    int m_scale;
};

}  // namespace ostreltest
