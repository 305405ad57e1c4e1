#include "maps/region_clipboard.h"

#include <QByteArray>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QString>

#include <span>

namespace maps {

namespace {

QString MimeType() {
  return QString::fromLatin1(core::RegionMimeType.data(),
                             static_cast<qsizetype>(core::RegionMimeType.size()));
}

}  // namespace

void PutRegionOnClipboard(const core::MapRegion& region) {
  const std::vector<std::uint8_t> bytes = core::RegionBytes(region);
  auto data = std::make_unique<QMimeData>();
  data->setData(MimeType(), QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                       static_cast<qsizetype>(bytes.size())));
  data->setText(QString::fromStdString(core::RegionText(region)));
  QGuiApplication::clipboard()->setMimeData(data.release());  // the clipboard owns it
}

core::Result<core::MapRegion> RegionFromClipboard() {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (data && data->hasFormat(MimeType())) {
    const QByteArray bytes = data->data(MimeType());
    return core::RegionFromBytes(
        std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                      static_cast<std::size_t>(bytes.size())));
  }
  if (data && data->hasText()) {
    const QByteArray text = data->text().toUtf8();
    const std::string_view view(text.constData(), static_cast<std::size_t>(text.size()));
    if (core::LooksLikeRegionText(view)) return core::RegionFromText(view);
  }
  return core::Status::Error(
      "The clipboard holds no map squares. Select squares and copy them (Ctrl+C) first.");
}

}  // namespace maps
