// SPDX-License-Identifier: GPL-3.0-or-later
// Turns the user's guide (Markdown) into the PDF that Help > Manual opens.

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QScreen>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>
#include <algorithm>
#include <cstdio>

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr, "usage: manual_pdf MANUAL.md OUTPUT.pdf [PICTURE_BASE_FOLDER]\n");
    return 2;
  }
  QFile in(QString::fromLocal8Bit(argv[1]));
  if (!in.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "%s: not found\n", argv[1]);
    return 1;
  }
  QTextDocument document;
  if (argc == 4) document.setBaseUrl(QUrl::fromLocalFile(QString::fromLocal8Bit(argv[3]) + "/"));
  document.setMarkdown(QString::fromUtf8(in.readAll()));
  QFont font("DejaVu Sans");
  font.setPointSize(10);
  document.setDefaultFont(font);
  QPdfWriter writer(QString::fromLocal8Bit(argv[2]));
  writer.setTitle("Quarnel user's guide");
  writer.setCreator("Quarnel");
  writer.setPageSize(QPageSize(QPageSize::A4));
  writer.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
  // Pictures take three quarters of the text width at most, which leaves room for a list's
  // indent; the layout counts the screen's logical dots per inch.
  const double dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchX();
  const double textWidth =
      writer.pageLayout().paintRect(QPageLayout::Point).width() * dpi / 72 * 0.75;
  int missing = 0;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (!fragment.charFormat().isImageFormat()) continue;
      QTextImageFormat image = fragment.charFormat().toImageFormat();
      const QImage picture(document.baseUrl().resolved(QUrl(image.name())).toLocalFile());
      if (picture.isNull()) {
        std::fprintf(stderr, "%s: not found\n", qPrintable(image.name()));
        ++missing;
        continue;
      }
      // The printed copy of the document keeps its resources but not its base folder.
      document.addResource(QTextDocument::ImageResource, QUrl(image.name()), picture);
      const double scale = std::min(1.0, textWidth / picture.width());
      image.setWidth(picture.width() * scale);
      image.setHeight(picture.height() * scale);
      QTextCursor cursor(&document);
      cursor.setPosition(fragment.position());
      cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
      cursor.setCharFormat(image);
    }
  }
  document.print(&writer);
  // A guide without the pictures it was given must not pass for a built one.
  return missing == 0 || argc == 3 ? 0 : 1;
}
