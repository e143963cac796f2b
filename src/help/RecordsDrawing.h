#pragma once

#include "records/RecordsSummary.h"

#include <QImage>

namespace zunaka {

// Paints the whole records page onto the 640 x 480 buffer `page`: the player, the latest game, the best
// game of each lesson, the chart of the last games and the keyboard tinted by how well each key goes.
// `keyboard` is the guide page's picture. Reads nothing but its arguments.
void paintRecordsPage(QImage& page, const RecordsView& view, const QImage& keyboard);

} // namespace zunaka
