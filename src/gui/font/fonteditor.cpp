// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/font/fonteditor.h"

#include "core/app/appcore.h"
#include "core/app/fontnaming.h"
#include "core/app/language.h"
#include "core/app/fontexportmessages.h"
#include "core/font/fontexport.h"
#include "gui/app/boardfontevents.h"
#include "gui/app/dialogtext.h"
#include "gui/app/icons.h"
#include "gui/app/messageboxes.h"
#include "gui/app/shell.h"
#include "gui/app/statusmessage.h"
#include "gui/font/fontchart.h"
#include "gui/font/fontfiles.h"
#include "gui/widgets/namedialog.h"
#include "gui/widgets/glyphcell.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {

constexpr int kLastGlyph = BoardFont::kGlyphCount - 1;

// Asks for the name of a copy of the edited font and keeps the dialog open until it passes.
class FontNameDialog : public NameDialog
{
public:
    FontNameDialog(const QString &fontDir, QWidget *parent)
        : NameDialog(Txt::FontNameTitle, Txt::FontNameLabel, QString(), parent), m_fontDir(fontDir)
    {
        setObjectName(QStringLiteral("FontNameDialog"));
        edit()->setMaxLength(FontNaming::kMaxNameLength + 1);
    }

    void accept() override { acceptOrExplain(FontNaming::checkNewName(name(), m_fontDir), Txt::FontNameForbidden); }

private:
    QString m_fontDir;
};

QPushButton *iconButton(QWidget *parent, const char *objectName, Icons::Icon icon)
{
    auto *button = new QPushButton(Icons::icon(icon), QString(), parent);
    button->setObjectName(QLatin1String(objectName));
    button->setIconSize(QSize(16, 16));
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return button;
}

QString hexDigitsOnly(const QString &text)
{
    QString digits;
    for (QChar c : text) {
        if ((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F'))
            digits += c;
    }
    return digits;
}

} // namespace

bool showFontExportOutcome(QWidget *owner, const FontExportResult &result, const QString &doneText,
                           const QString &folder)
{
    if (!result.ok) {
        QString text = Lang::text(result.failureTextId);
        if (text.contains(u"%1"))
            text = text.arg(result.failedFile);
        if (!result.error.isEmpty())
            text += u'\n' + result.error;
        errorBox(owner, text);
        return false;
    }
    const QString skipped = fontExportSkippedReport(result);
    announceWritten(owner, skipped.isEmpty() ? doneText : doneText + u"\n\n" + skipped, folder, !skipped.isEmpty());
    return true;
}

FontEditor::FontEditor(AppCore &core, QWidget *parent) : QDialog(parent), m_core(core), m_fontDir(core.fontDir())
{
    setObjectName(QStringLiteral("FontEditor"));
    buildControls();
    applyTexts();
    fillList(fontNameFromFile(m_core.settings().lastFont()));
}

void FontEditor::buildControls()
{
    QGroupBox *look = buildLookGroup();
    QGroupBox *fonts = buildListGroup();
    QGroupBox *comment = buildCommentGroup();
    QHBoxLayout *actions = buildActionRow();
    auto *top = new QHBoxLayout;
    top->addWidget(look);
    top->addWidget(fonts, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(comment);
    layout->addLayout(actions);
    // The glyph row tabs as it reads: back, decimal, hexadecimal, forward.
    setTabOrder(m_previous, m_decimal);
    setTabOrder(m_decimal, m_hex);
    setTabOrder(m_hex, m_next);
    m_ok->setDefault(true); // Enter closes with OK as in every dialog; the fields act as they are typed

    connectControls();
}

QGroupBox *FontEditor::buildLookGroup()
{
    m_cell = new GlyphCell(this);
    m_cell->setObjectName(QStringLiteral("glyphCell"));
    m_rowUp = iconButton(this, "rowUp", Icons::Icon::RowUp);
    m_rowDown = iconButton(this, "rowDown", Icons::Icon::RowDown);
    m_previous = iconButton(this, "previousGlyph", Icons::Icon::Previous);
    m_next = iconButton(this, "nextGlyph", Icons::Icon::Next);
    m_number = new QLabel(this);
    m_number->setObjectName(QStringLiteral("glyphNumber"));
    m_number->setMinimumWidth(m_number->fontMetrics().horizontalAdvance(QStringLiteral("0000")));
    m_decimal = new QLineEdit(this);
    m_decimal->setObjectName(QStringLiteral("decimalEdit"));
    m_decimal->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), m_decimal));
    m_decimal->setMaxLength(3);
    m_hex = new QLineEdit(this);
    m_hex->setObjectName(QStringLiteral("hexEdit"));
    m_hex->setMaxLength(2);
    for (QLineEdit *edit : {m_decimal, m_hex})
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
    m_character = new QLabel(this);
    m_character->setObjectName(QStringLiteral("characterLabel"));
    m_columns = new QLabel(this);
    m_columns->setObjectName(QStringLiteral("columnsLabel"));
    m_columns->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_mirrored = new QCheckBox(this);
    m_mirrored->setObjectName(QStringLiteral("mirroredBox"));

    auto *look = new QGroupBox(this);
    look->setObjectName(QStringLiteral("lookGroup"));
    auto *lookLayout = new QGridLayout(look);
    auto *shifts = new QVBoxLayout;
    shifts->addStretch();
    shifts->addWidget(m_rowUp);
    shifts->addWidget(m_rowDown);
    shifts->addStretch();
    lookLayout->addWidget(m_cell, 0, 0, 1, 1, Qt::AlignCenter);
    lookLayout->addLayout(shifts, 0, 1);
    auto *navigation = new QHBoxLayout;
    navigation->addWidget(m_number);
    navigation->addWidget(m_previous);
    navigation->addWidget(m_decimal);
    navigation->addWidget(m_hex);
    navigation->addWidget(m_next);
    navigation->addStretch();
    lookLayout->addLayout(navigation, 1, 0, 1, 2);
    lookLayout->addWidget(m_character, 2, 0, 1, 2);
    auto *bytes = new QHBoxLayout;
    bytes->addWidget(m_columns, 1);
    bytes->addWidget(m_mirrored);
    lookLayout->addLayout(bytes, 3, 0, 1, 2);

    return look;
}

QGroupBox *FontEditor::buildListGroup()
{
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("fontList"));
    m_add = new QPushButton(this);
    m_add->setObjectName(QStringLiteral("addFont"));
    m_delete = new QPushButton(this);
    m_delete->setObjectName(QStringLiteral("deleteFont"));
    auto *fonts = new QGroupBox(this);
    fonts->setObjectName(QStringLiteral("listGroup"));
    auto *fontsLayout = new QVBoxLayout(fonts);
    fontsLayout->addWidget(m_list);
    auto *listButtons = new QHBoxLayout;
    listButtons->addWidget(m_add);
    listButtons->addWidget(m_delete);
    fontsLayout->addLayout(listButtons);

    return fonts;
}

QGroupBox *FontEditor::buildCommentGroup()
{
    m_comment = new QLineEdit(this);
    m_comment->setObjectName(QStringLiteral("commentEdit"));
    m_comment->setMaxLength(Glyph::kMaxCommentLength);
    auto *comment = new QGroupBox(this);
    comment->setObjectName(QStringLiteral("commentGroup"));
    (new QVBoxLayout(comment))->addWidget(m_comment);

    return comment;
}

QHBoxLayout *FontEditor::buildActionRow()
{
    m_chart = new QPushButton(this);
    m_chart->setObjectName(QStringLiteral("chartButton"));
    m_export = iconButton(this, "exportButton", Icons::Icon::Export);
    m_save = iconButton(this, "saveButton", Icons::Icon::Save);
    m_ok = new QPushButton(this);
    m_ok->setObjectName(QStringLiteral("okButton"));
    m_cancel = new QPushButton(this);
    m_cancel->setObjectName(QStringLiteral("cancelButton"));
    // Enter in the fields must not press a button: no button is the default.
    for (QPushButton *button : findChildren<QPushButton *>())
        button->setAutoDefault(false);

    auto *actions = new QHBoxLayout;
    actions->addWidget(m_chart);
    actions->addWidget(m_export);
    actions->addWidget(m_save);
    actions->addStretch();
    actions->addWidget(m_ok);
    actions->addWidget(m_cancel);
    return actions;
}

void FontEditor::connectControls()
{
    connect(m_list, &QListWidget::currentRowChanged, this, &FontEditor::onListRowChanged);
    connect(m_previous, &QPushButton::clicked, this, [this] { setGlyphIndex(qMax(0, m_glyph - 1)); });
    connect(m_next, &QPushButton::clicked, this, [this] { setGlyphIndex(qMin(kLastGlyph, m_glyph + 1)); });
    // textEdited comes from typing only, so that filling the fields never runs these again
    connect(m_decimal, &QLineEdit::textEdited, this, &FontEditor::onDecimalEdited);
    connect(m_hex, &QLineEdit::textEdited, this, &FontEditor::onHexEdited);
    connect(m_comment, &QLineEdit::textEdited, this, &FontEditor::onCommentEdited);
    connect(m_cell, &GlyphCell::columnsChanged, this, &FontEditor::onCellChanged);
    connect(m_rowDown, &QPushButton::clicked, this, [this] { shiftRows(true); });
    connect(m_rowUp, &QPushButton::clicked, this, [this] { shiftRows(false); });
    connect(m_add, &QPushButton::clicked, this, &FontEditor::addFont);
    connect(m_delete, &QPushButton::clicked, this, &FontEditor::deleteFont);
    connect(m_export, &QPushButton::clicked, this, &FontEditor::exportFonts);
    connect(m_save, &QPushButton::clicked, this, &FontEditor::saveFont);
    connect(m_chart, &QPushButton::clicked, this, &FontEditor::saveChart);
    connect(m_ok, &QPushButton::clicked, this, &FontEditor::finish);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void FontEditor::applyTexts()
{
    setControlText(this, Txt::FontEditorTitle);
    setControlText(findChild<QGroupBox *>(QStringLiteral("lookGroup")), Txt::FontEditorLookGroup);
    setControlText(findChild<QGroupBox *>(QStringLiteral("listGroup")), Txt::FontEditorListGroup);
    setControlText(findChild<QGroupBox *>(QStringLiteral("commentGroup")), Txt::FontEditorCommentGroup);
    setControlText(m_add, Txt::FontEditorAdd);
    setControlText(m_delete, Txt::FontEditorDelete);
    setControlText(m_export, Txt::FontEditorExport);
    setControlText(m_save, Txt::FontEditorSave);
    setControlText(m_chart, Txt::FontEditorChart);
    setControlText(m_mirrored, Txt::FontEditorMirrored);
    setControlText(m_ok, Txt::ButtonOk);
    setControlText(m_cancel, Txt::ButtonCancel);
    m_rowDown->setToolTip(Lang::text(Txt::FontEditorRowDownTip));
    m_rowUp->setToolTip(Lang::text(Txt::FontEditorRowUpTip));
    m_previous->setToolTip(Lang::text(Txt::FontEditorPreviousTip));
    m_next->setToolTip(Lang::text(Txt::FontEditorNextTip));
    // The arrow buttons show no text; the lists and fields have no label of their own.
    for (QWidget *button : {m_rowDown, m_rowUp, m_previous, m_next})
        button->setAccessibleName(button->toolTip());
    m_list->setAccessibleName(Lang::text(Txt::FontEditorListGroup));
    m_comment->setAccessibleName(Lang::text(Txt::FontEditorCommentGroup));
    m_decimal->setAccessibleName(Lang::text(Txt::NumberLabel));
    m_hex->setAccessibleName(Lang::text(Txt::A11yHexNumber));
}

void FontEditor::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

QString FontEditor::fontPath(const QString &name) const
{
    return m_fontDir + name + u".fnt";
}

void FontEditor::fillList(const QString &select)
{
    const QStringList names = fontNamesInDirectory(m_fontDir);
    {
        const QSignalBlocker blocker(m_list);
        m_list->clear();
        m_list->addItems(names);
    }
    int row = int(names.indexOf(select));
    if (row < 0 && !names.isEmpty())
        row = 0;
    if (row < 0) {
        m_fontIndex = -1;
        m_fontName.clear();
        m_font = BoardFont();
        m_modified = false;
        redisplay();
        return;
    }
    {
        const QSignalBlocker blocker(m_list);
        m_list->setCurrentRow(row);
    }
    loadEntry(row);
}

void FontEditor::loadEntry(int row)
{
    m_fontIndex = row;
    m_fontName = m_list->item(row)->text();
    // A file that does not load shows what it held and blank glyphs for the rest, never glyphs
    // of the font shown before.
    BoardFont font;
    FontFiles::loadForEditing(this, fontPath(m_fontName), font);
    font.name = m_fontName;
    m_font = font;
    m_modified = false;
    m_core.settings().setLastFont(m_fontName + u".fnt");
    m_core.saveSettings();
    redisplay();
}

void FontEditor::onListRowChanged(int row)
{
    if (row < 0 || row == m_fontIndex)
        return;
    if (!offerToSave()) {
        const QSignalBlocker blocker(m_list);
        m_list->setCurrentRow(m_fontIndex);
        return;
    }
    loadEntry(row);
}

bool FontEditor::offerToSave()
{
    if (!m_modified || m_fontIndex < 0)
        return true;
    const QString question = Lang::text(Txt::FontEditorSaveChangesQuestion).arg(m_fontName);
    if (questionBox(this, question) != QMessageBox::Yes)
        return true;
    return saveFont();
}

void FontEditor::redisplay(const QWidget *typedInto)
{
    const Glyph &glyph = m_font.glyphs[m_glyph];
    m_number->setText(QStringLiteral("%1").arg(m_glyph, 3));
    if (typedInto != m_decimal)
        m_decimal->setText(QString::number(m_glyph));
    if (typedInto != m_hex)
        m_hex->setText(QString::number(m_glyph, 16).toUpper());
    m_character->setText(
        Lang::text(Txt::FontEditorCharacter).arg(glyphCharacter(m_glyph, fontCharsetMode(m_fontName))));
    QStringList bytes;
    for (int k = Glyph::kColumns; k >= 1; --k)
        bytes << u"0x" + QString::fromLatin1(upperHex(glyph.k(k), 2));
    m_columns->setText(bytes.join(QStringLiteral("   ")));
    if (typedInto != m_comment)
        m_comment->setText(glyph.comment);
    m_cell->setColumns(glyph.columns);
    m_cell->setCaption(QString::number(m_glyph) + u", " + m_character->text());
}

void FontEditor::setGlyphIndex(int index, const QWidget *typedInto)
{
    m_glyph = qBound(0, index, kLastGlyph);
    redisplay(typedInto);
}

void FontEditor::onDecimalEdited(const QString &text)
{
    const int value = text.toInt();
    if (value > kLastGlyph)
        m_decimal->setText(QString::number(kLastGlyph));
    setGlyphIndex(value, m_decimal);
}

void FontEditor::onHexEdited(const QString &text)
{
    const QString digits = hexDigitsOnly(text);
    if (digits != text) {
        const int caret = m_hex->cursorPosition();
        const int removedBeforeCaret = int(caret - hexDigitsOnly(text.left(caret)).size());
        m_hex->setText(digits);
        m_hex->setCursorPosition(caret - removedBeforeCaret);
    }
    setGlyphIndex(digits.toInt(nullptr, 16), m_hex);
}

void FontEditor::onCommentEdited(const QString &text)
{
    m_font.glyphs[m_glyph].comment = text;
    m_modified = true;
}

void FontEditor::onCellChanged()
{
    m_font.glyphs[m_glyph].columns = m_cell->columns();
    m_modified = true;
    redisplay();
}

void FontEditor::shiftRows(bool down)
{
    for (quint8 &column : m_font.glyphs[m_glyph].columns)
        column = down ? quint8(column >> 1) : quint8(column << 1);
    m_modified = true;
    redisplay();
}

bool FontEditor::saveFont()
{
    if (m_fontIndex < 0) {
        infoBox(this, Lang::text(Txt::FontEditorNothingToSave));
        return false;
    }
    const QString path = fontPath(m_fontName);
    QString error;
    if (!FontFile::save(path, m_font, &error)) {
        errorBox(this, Lang::text(Txt::FontEditorSaveFailed) + u'\n' + path + u'\n' + error);
        return false;
    }
    m_modified = false;
    BoardFontEvents::fontSaved(m_fontName);
    StatusMessage::showSaved(this, path);
    return true;
}

void FontEditor::addFont()
{
    FontNameDialog dialog(m_fontDir, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString name = dialog.name();
    BoardFont copy = m_font;
    copy.name = name;
    const QString path = fontPath(name);
    QString error;
    if (!FontFile::save(path, copy, &error)) {
        errorBox(this, Lang::text(Txt::FontEditorSaveFailed) + u'\n' + path + u'\n' + error);
        return;
    }
    BoardFontEvents::fontSaved(name);
    StatusMessage::showSaved(this, path);
    // the edits live on in the copy, which is selected now
    m_modified = false;
    fillList(name);
}

void FontEditor::deleteFont()
{
    if (m_fontIndex < 0)
        return;
    const QString question = Lang::text(Txt::FontEditorDeleteQuestion).arg(m_fontName);
    if (questionBox(this, question) != QMessageBox::Yes)
        return;
    const QString path = fontPath(m_fontName);
    const bool existed = QFileInfo::exists(path);
    if (existed && !QFile::remove(path)) {
        errorBox(this, Lang::text(Txt::FontEditorDeleteFailed));
        return;
    }
    m_modified = false;
    fillList(QString());
    if (existed)
        infoBox(this, Lang::text(Txt::FontEditorDeleted));
    else
        errorBox(this, Lang::text(Txt::FontEditorDeleteFailed));
}

void FontEditor::exportFonts()
{
    if (m_list->count() == 0) {
        infoBox(this, Lang::text(Txt::FontExportNoFonts));
        return;
    }
    // The export reads the files, so unsaved edits are offered for saving first.
    if (!offerToSave())
        return;
    FontExportOptions options;
    options.fontDir = m_fontDir;
    options.outDir = FontFiles::chooseExportFolder(this, m_core);
    if (options.outDir.isEmpty())
        return;
    for (int i = 0; i < m_list->count(); ++i)
        options.fontNames << m_list->item(i)->text();
    options.withHeader = true;
    options.mirrored = m_mirrored->isChecked();
    const QString written = QDir(options.outDir).filePath(QStringLiteral("fonts.out"));
    showFontExportOutcome(this, exportFontImage(options),
                          Lang::text(Txt::FontEditorExported) + u'\n' + QDir::toNativeSeparators(written),
                          options.outDir);
}

void FontEditor::saveChart()
{
    const QString path = m_core.dirs().outDir() + u"table.bmp";
    QString error;
    if (!FontChart::saveBmp(FontChart::render(m_font, fontCharsetMode(m_fontName)), path, &error)) {
        errorBox(this, Lang::text(Txt::FontChartWriteFailed) + u'\n' + path + u'\n' + error);
        return;
    }
    FontFiles::showChart(this, path);
}

void FontEditor::finish()
{
    if (m_fontIndex >= 0 && m_modified && !saveFont())
        return;
    if (m_fontIndex >= 0) {
        BoardFont font;
        if (FontFiles::loadForEditing(this, fontPath(m_fontName), font)) {
            font.name = m_fontName;
            m_font = font;
            m_modified = false;
            redisplay();
        }
    }
    accept();
}
