#pragma once

#include <QFont>
#include <QFontMetrics>
#include <map>
#include <string>
#include <tuple>
#include <utility>

#include "ostrel/draw_ops.h"

class QPaintDevice;
class QPainter;

namespace ostrel {

// The Qt font a drawing font asks for; fontconfig maps "arial" to Liberation Sans.
QFont ToQFont(const Font& font);

// Text measured on one paint device (nullptr: the screen), in its pixels.
class QtMetrics final : public TextMetrics {
public:
    explicit QtMetrics(QPaintDevice* device = nullptr) : m_device(device) {}

    int TextWidth(const Font& font, std::string_view text) const override;
    int TextHeight(const Font& font, std::string_view text) const override;
    int Ascent(const Font& font) const;

private:
    const QFontMetrics& MetricsOf(const Font& font) const;

    QPaintDevice* m_device;
    mutable std::map<std::tuple<std::string, int, bool>, QFontMetrics> m_cache;
};

// Paints drawing operations on a painter whose device `metrics` measures.
// A picture that cannot be read is drawn as its file name in brackets with "]?".
void PaintOps(QPainter& painter, const DrawOps& ops, const QtMetrics& metrics);

}  // namespace ostrel
