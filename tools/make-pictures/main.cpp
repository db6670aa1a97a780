// Draws the program's own pictures as JPEG files at build time:
//   make-pictures login FILE     the login window's landscape photograph, 1280 x 800
//   make-pictures floating FILE  the floating icon's default picture, 90 x 30
// The drawing is fixed (no randomness from outside), so every build makes the same files.

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

// A small fixed generator, so the pictures do not depend on the library's random engine.
class Noise {
 public:
  explicit Noise(unsigned seed) : state_(seed) {}
  // Uniform in [0, 1).
  double next() {
    state_ = state_ * 1664525u + 1013904223u;
    return (state_ >> 8) / 16777216.0;
  }

 private:
  unsigned state_;
};

// A ridge line across the picture: a sum of a few waves plus fine roughness.
QPainterPath ridge(int width, int height, double base, double amplitude, unsigned seed) {
  Noise noise(seed);
  const double phase1 = noise.next() * 6.28;
  const double phase2 = noise.next() * 6.28;
  const double phase3 = noise.next() * 6.28;
  QPainterPath path;
  path.moveTo(0, height);
  double rough = 0;
  for (int x = 0; x <= width; x += 4) {
    const double t = double(x) / width;
    rough = rough * 0.8 + (noise.next() - 0.5) * 0.35;
    const double y =
        base - amplitude * (0.55 * std::sin(t * 5.1 + phase1) + 0.30 * std::sin(t * 11.7 + phase2) +
                            0.15 * std::sin(t * 23.3 + phase3) + rough);
    path.lineTo(x, y);
  }
  path.lineTo(width, height);
  path.closeSubpath();
  return path;
}

QImage draw_landscape() {
  const int width = 1280;
  const int height = 800;
  const int horizon = 520;
  QImage image(width, height, QImage::Format_RGB32);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);

  QLinearGradient sky(0, 0, 0, horizon);
  sky.setColorAt(0.0, QColor(0x2B, 0x4C, 0x7E));
  sky.setColorAt(0.55, QColor(0x8F, 0xA8, 0xC8));
  sky.setColorAt(0.85, QColor(0xF2, 0xC6, 0x94));
  sky.setColorAt(1.0, QColor(0xF7, 0xD9, 0xA8));
  painter.fillRect(0, 0, width, horizon, sky);

  QRadialGradient sun(QPointF(880, 430), 160);
  sun.setColorAt(0.0, QColor(255, 246, 214, 255));
  sun.setColorAt(0.25, QColor(255, 226, 160, 200));
  sun.setColorAt(1.0, QColor(255, 200, 120, 0));
  painter.fillRect(0, 0, width, horizon, sun);

  // Mountain ranges from the farthest, palest one to the nearest, darkest one.
  const QColor ranges[] = {QColor(0x7D, 0x8C, 0xA8), QColor(0x5A, 0x6B, 0x88),
                           QColor(0x3C, 0x4E, 0x63), QColor(0x24, 0x35, 0x3A)};
  const double bases[] = {430, 470, 505, 530};
  const double amplitudes[] = {120, 90, 60, 30};
  for (int i = 0; i < 4; ++i) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(ranges[i]);
    painter.drawPath(ridge(width, horizon + 1, bases[i], amplitudes[i], 17u + i * 31u));
  }

  // The lake mirrors the sky and the ranges, darker and blurred by ripples.
  const QImage above = image.copy(0, 0, width, horizon);
  const QImage mirrored = above.mirrored(false, true);
  for (int y = horizon; y < height; ++y) {
    const int source = std::min(y - horizon, horizon - 1);
    // Ripples shift each line a little; the line is stretched so no edge is left bare.
    const double shift = 3 * std::sin(y * 0.35);
    painter.drawImage(QRectF(shift - 4, y, width + 8, 1), mirrored, QRectF(0, source, width, 1));
  }
  QLinearGradient water(0, horizon, 0, height);
  water.setColorAt(0.0, QColor(20, 40, 60, 70));
  water.setColorAt(1.0, QColor(10, 25, 40, 190));
  painter.fillRect(0, horizon, width, height - horizon, water);

  // A near shore with a few conifers on the left.
  painter.setBrush(QColor(0x14, 0x1E, 0x1A));
  painter.drawPath(ridge(width / 3, height, 760, 25, 97u));
  Noise trees(5u);
  for (int i = 0; i < 9; ++i) {
    const double x = 20 + i * 45 + trees.next() * 20;
    const double top = 560 + trees.next() * 80;
    QPainterPath tree;
    tree.moveTo(x, top);
    tree.lineTo(x - 22, 780);
    tree.lineTo(x + 22, 780);
    tree.closeSubpath();
    painter.drawPath(tree);
  }

  // Fine grain, as a photograph has.
  Noise grain(11u);
  for (int y = 0; y < height; ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) {
      const int d = int((grain.next() - 0.5) * 10);
      const QRgb p = line[x];
      line[x] = qRgb(std::clamp(qRed(p) + d, 0, 255), std::clamp(qGreen(p) + d, 0, 255),
                     std::clamp(qBlue(p) + d, 0, 255));
    }
  }
  return image;
}

QImage draw_floating_icon() {
  QImage image(90, 30, QImage::Format_RGB32);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  QLinearGradient face(0, 0, 0, 30);
  face.setColorAt(0, QColor(0xF4, 0xF8, 0xFF));
  face.setColorAt(1, QColor(0xC9, 0xDA, 0xF2));
  painter.fillRect(image.rect(), face);
  painter.setPen(QColor(0x2A, 0x5C, 0xB8));
  painter.drawRect(QRectF(0.5, 0.5, 89, 29));

  // A small open notebook on the left.
  painter.setPen(QPen(QColor(0x2A, 0x5C, 0xB8), 1.2));
  painter.setBrush(Qt::white);
  painter.drawRect(QRectF(6, 7, 9, 16));
  painter.drawRect(QRectF(15, 7, 9, 16));
  for (int y = 11; y <= 19; y += 4) {
    painter.drawLine(QPointF(8, y), QPointF(13, y));
    painter.drawLine(QPointF(17, y), QPointF(22, y));
  }

  QFont font(QStringLiteral("Noto Sans CJK SC"));
  font.setPixelSize(14);
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(QColor(0x10, 0x30, 0x60));
  painter.drawText(QRect(28, 0, 60, 30), Qt::AlignCenter, QStringLiteral("记事本"));
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make-pictures login|floating FILE\n");
    return 2;
  }
  // Text needs the font system, which needs a GUI application; no screen is used.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  QImage image;
  if (std::strcmp(argv[1], "login") == 0)
    image = draw_landscape();
  else if (std::strcmp(argv[1], "floating") == 0)
    image = draw_floating_icon();
  else {
    std::fprintf(stderr, "unknown picture: %s\n", argv[1]);
    return 2;
  }
  const QString file = QString::fromLocal8Bit(argv[2]);
  if (!QDir().mkpath(QFileInfo(file).path()) || !image.save(file, "JPEG", 90)) {
    std::fprintf(stderr, "cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
