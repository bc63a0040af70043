// Turns the user's guide (Markdown) into the PDF that Help > Manual opens.

#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>
#include <cstdio>

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: manual_pdf MANUAL.md OUTPUT.pdf\n");
    return 2;
  }
  QFile in(QString::fromLocal8Bit(argv[1]));
  if (!in.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "%s: not found\n", argv[1]);
    return 1;
  }
  QTextDocument document;
  document.setMarkdown(QString::fromUtf8(in.readAll()));
  QFont font("DejaVu Sans");
  font.setPointSize(10);
  document.setDefaultFont(font);
  QPdfWriter writer(QString::fromLocal8Bit(argv[2]));
  writer.setTitle("Quarnel user's guide");
  writer.setCreator("Quarnel");
  writer.setPageSize(QPageSize(QPageSize::A4));
  writer.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
  document.print(&writer);
  return 0;
}
