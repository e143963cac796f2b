#pragma once

#include "records/RecordsSummary.h"

#include <QImage>

namespace zunaka {

// The lower part of the records page: the guide's keyboard picture, washed out, each key the player has
// met tinted by its catch share, a legend of the tints, and the weakest keys named.
void paintRecordsKeyboard(QImage& page, const QImage& keyboard, const RecordsView& view);

} // namespace zunaka
