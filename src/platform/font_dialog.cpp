#include "platform/font_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "platform/common_dialog.h"

FontDialog::FontDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("字体"));

  family = new QFontComboBox(this);
  size = new QSpinBox(this);
  size->setRange(1, 999);
  colour_button = new QPushButton(this);
  colour_button->setIconSize(QSize(48, 14));

  auto* fields = new QFormLayout;
  fields->addRow(QStringLiteral("字体(&F):"), family);
  fields->addRow(QStringLiteral("大小(&S):"), size);
  fields->addRow(QStringLiteral("颜色(&C):"), colour_button);

  auto* effects = new QGroupBox(QStringLiteral("效果"), this);
  bold = new QCheckBox(QStringLiteral("粗体"), effects);
  italic = new QCheckBox(QStringLiteral("斜体"), effects);
  underline = new QCheckBox(QStringLiteral("下划线"), effects);
  strikeout = new QCheckBox(QStringLiteral("删除线"), effects);
  auto* effect_grid = new QGridLayout(effects);
  effect_grid->addWidget(bold, 0, 0);
  effect_grid->addWidget(italic, 0, 1);
  effect_grid->addWidget(underline, 1, 0);
  effect_grid->addWidget(strikeout, 1, 1);

  auto* sample = new QGroupBox(QStringLiteral("示例"), this);
  preview = new QLabel(QStringLiteral("AaBbYyZz 汉字示例"), sample);
  preview->setAlignment(Qt::AlignCenter);
  // The sample shows the colour on a page, as the editor will, whatever the window's colours.
  preview->setAutoFillBackground(true);
  preview->setBackgroundRole(QPalette::Base);
  preview->setMinimumHeight(56);
  (new QVBoxLayout(sample))->addWidget(preview);

  // Standard buttons, so the installed Qt translation gives them their captions.
  buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addWidget(effects);
  layout->addWidget(sample);
  layout->addWidget(buttons);

  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(colour_button, &QPushButton::clicked, this, &FontDialog::choose_colour);
  connect(family, &QComboBox::currentTextChanged, this, &FontDialog::update_preview);
  connect(size, &QSpinBox::valueChanged, this, &FontDialog::update_preview);
  for (QCheckBox* box : {bold, italic, underline, strikeout})
    connect(box, &QCheckBox::toggled, this, &FontDialog::update_preview);
  set_colour(colour_);
}

void FontDialog::read_from(const CommonDialog& dialog) {
  const QFont program_font = QApplication::font();
  if (dialog.font_name.isEmpty()) {
    family->setCurrentFont(program_font);
  } else {
    family->setCurrentFont(QFont(dialog.font_name));
    // A name the font list does not hold (one shown through a substitute) stays as it was
    // given, so confirming without a change keeps it.
    family->setEditText(dialog.font_name);
  }
  size->setValue(dialog.font_size > 0 ? dialog.font_size : program_font.pointSize());
  bold->setChecked(dialog.font_bold == 1);
  italic->setChecked(dialog.font_italic == 1);
  underline->setChecked(dialog.font_underline == 1);
  strikeout->setChecked(dialog.font_strikeout == 1);
  set_colour(dialog.font_colour);
}

void FontDialog::write_to(CommonDialog& dialog) const {
  const QString name = family->currentText().trimmed();
  dialog.font_name = name.isEmpty() ? family->currentFont().family() : name;
  dialog.font_size = size->value();
  dialog.font_colour = colour_;
  dialog.font_bold = bold->isChecked() ? 1 : 0;
  dialog.font_italic = italic->isChecked() ? 1 : 0;
  dialog.font_underline = underline->isChecked() ? 1 : 0;
  dialog.font_strikeout = strikeout->isChecked() ? 1 : 0;
}

void FontDialog::set_colour(Colorref colour) {
  colour_ = colour;
  QPixmap swatch(colour_button->iconSize());
  swatch.fill(to_qcolor(colour_));
  colour_button->setIcon(swatch);
  update_preview();
}

void FontDialog::choose_colour() {
  const QColor chosen = QColorDialog::getColor(to_qcolor(colour_), this);
  if (chosen.isValid())
    set_colour(to_colorref(chosen));
}

void FontDialog::update_preview() {
  QFont font(family->currentText());
  font.setPointSize(size->value());
  font.setBold(bold->isChecked());
  font.setItalic(italic->isChecked());
  font.setUnderline(underline->isChecked());
  font.setStrikeOut(strikeout->isChecked());
  preview->setFont(font);
  QPalette palette = preview->palette();
  palette.setColor(QPalette::WindowText, to_qcolor(colour_));
  preview->setPalette(palette);
}
