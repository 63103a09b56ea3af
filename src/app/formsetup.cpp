#include "app/formsetup.h"

#include "app/settingscommands.h"
#include "app/settingsfile.h"
#include "prompt/prompter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace korvel {

namespace {

template <typename T>
T *named(T *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QColor fromWindowsColor(int value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

int toWindowsColor(const QColor &c)
{
    return c.red() | (c.green() << 8) | (c.blue() << 16);
}

QString at(const QStringList &lines, int i)
{
    return i < lines.size() ? lines.at(i) : QString();
}

} // namespace

const QStringList &TFormSetup::charsets()
{
    static const QStringList list = {QStringLiteral("ISO 8859-1"), QStringLiteral("ISO 8859-13"),
                                     QStringLiteral("ISO 8859-7"), QStringLiteral("ISO 8859-2"),
                                     QStringLiteral("ISO 8859-5"), QStringLiteral("UTF-8")};
    return list;
}

const QStringList &TFormSetup::charsetDescriptions()
{
    static const QStringList list = {QStringLiteral("West Europe"), QStringLiteral("Baltic"),
                                     QStringLiteral("Modern Greek"), QStringLiteral("East Europe"),
                                     QStringLiteral("Russian/Cyrillic"), QStringLiteral("UTF-8")};
    return list;
}

TFormSetup::TFormSetup(Prompter &prompter, QWidget *parent)
    : QDialog(parent)
    , m_prompter(prompter)
{
    setObjectName(QStringLiteral("TFormSetup"));
    auto *layout = new QVBoxLayout(this);

    m_fontName = named(new QLineEdit(this), "Edit1");
    m_fontName->setVisible(false);
    auto *sizeRow = new QHBoxLayout;
    sizeRow->addWidget(named(new QLabel(this), "Label2"));
    m_fontSize = named(new QComboBox(this), "Edit2");
    m_fontSize->setEditable(true);
    for (int size : {8, 9, 10, 12, 14, 16, 18, 20, 24, 26, 28})
        m_fontSize->addItem(QString::number(size));
    // Only a whole number may be typed: any other text in the size line makes the next
    // reading of the file fail, and the whole file would be dropped with it.
    m_fontSize->setValidator(new QIntValidator(1, 999, m_fontSize));
    sizeRow->addWidget(m_fontSize);
    sizeRow->addStretch();
    layout->addLayout(sizeRow);

    auto *numbers = named(new QGroupBox(this), "GroupBox1");
    auto *numbersLayout = new QHBoxLayout(numbers);
    m_numbersOn = named(new QRadioButton(numbers), "RadioButton1");
    m_numbersOff = named(new QRadioButton(numbers), "RadioButton2");
    numbersLayout->addWidget(m_numbersOn);
    numbersLayout->addWidget(m_numbersOff);
    layout->addWidget(numbers);

    auto *ftp = named(new QGroupBox(QStringLiteral("FTP Login"), this), "GroupBox2");
    auto *ftpLayout = new QFormLayout(ftp);
    m_user = named(new QLineEdit(ftp), "EditUser");
    m_password = named(new QLineEdit(ftp), "MaskEditPass");
    m_password->setEchoMode(QLineEdit::Password);
    m_server = named(new QLineEdit(ftp), "EditServer");
    m_anonymous = named(new QCheckBox(ftp), "CheckAnonym");
    ftpLayout->addRow(named(new QLabel(QStringLiteral("User"), ftp), "Label4"), m_user);
    ftpLayout->addRow(named(new QLabel(ftp), "Label5"), m_password);
    ftpLayout->addRow(named(new QLabel(QStringLiteral("Server"), ftp), "Label3"), m_server);
    ftpLayout->addRow(QString(), m_anonymous);
    layout->addWidget(ftp);

    auto *form = new QFormLayout;
    auto *charsetRow = new QHBoxLayout;
    m_charset = named(new QComboBox(this), "ComboISO");
    m_charset->addItems(charsets());
    m_charsetLabel = named(new QLabel(this), "LabelIso");
    charsetRow->addWidget(m_charset);
    charsetRow->addWidget(m_charsetLabel);
    form->addRow(named(new QLabel(QStringLiteral("HTML Charset"), this), "Label7"), charsetRow);
    auto *browserRow = new QHBoxLayout;
    m_browser = named(new QLineEdit(this), "EditBrowser");
    auto *browse = named(new QToolButton(this), "BitBtn4");
    browse->setText(QStringLiteral("…"));
    browserRow->addWidget(m_browser);
    browserRow->addWidget(browse);
    form->addRow(named(new QLabel(this), "Label6"), browserRow);
    layout->addLayout(form);

    auto *colors = named(new QGroupBox(this), "GroupBox3");
    auto *colorLayout = new QFormLayout(colors);
    const auto colorRow = [&](const char *labelName, const QString &fixed, const char *fieldName,
                              const char *buttonName) {
        auto *field = named(new QLineEdit(colors), fieldName);
        field->setReadOnly(true);
        auto *button = named(new QToolButton(colors), buttonName);
        button->setText(QStringLiteral("…"));
        button->setToolTip(QStringLiteral("Farbe auswählen"));
        auto *row = new QHBoxLayout;
        row->addWidget(field);
        row->addWidget(button);
        colorLayout->addRow(named(new QLabel(fixed, colors), labelName), row);
        connect(button, &QToolButton::clicked, this, [this, field] { chooseColor(field); });
        return field;
    };
    m_keyword = colorRow("Label8", QString(), "EditIdentifier", "BitBtn5");
    m_parameter = colorRow("Label9", QStringLiteral("Parameter"), "EditParameter", "BitBtn6");
    m_value = colorRow("Label10", QString(), "EditValue", "BitBtn7");
    layout->addWidget(colors);

    auto *buttons = new QHBoxLayout;
    auto *help = named(new QToolButton(this), "SpeedButton1");
    help->setText(QStringLiteral("?"));
    auto *ok = named(new QPushButton(QStringLiteral("OK"), this), "BitBtn1");
    ok->setDefault(true);
    auto *cancel = named(new QPushButton(this), "BitBtn2");
    buttons->addWidget(help);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QToolButton::clicked, this, [this] {
        if (m_help)
            m_help(90);
    });
    connect(m_anonymous, &QCheckBox::toggled, this, &TFormSetup::updateLoginFields);
    connect(m_charset, &QComboBox::currentIndexChanged, this, &TFormSetup::updateCharsetLabel);
    connect(browse, &QToolButton::clicked, this, [this] {
        FileRequest request;
        request.filter = QStringLiteral("EXE(*.exe)|*.exe|Alle(*.*)|*");
        request.defaultSuffix = QStringLiteral("exe");
        const QString path = m_prompter.openFileName(request);
        if (!path.isEmpty())
            m_browser->setText(path);
    });
    setCaptions();
}

void TFormSetup::setEditorValues(const QString &fontName, int fontSize, int keyword, int identifier, int value)
{
    m_fontName->setText(fontName);
    m_fontSize->setCurrentText(QString::number(fontSize));
    m_keyword->setText(QString::number(keyword));
    m_parameter->setText(QString::number(identifier));
    m_value->setText(QString::number(value));
}

void TFormSetup::setCaptions()
{
    const bool en = LanguageValue != 0;
    const auto set = [this](const char *name, const QString &text) {
        QWidget *w = findChild<QWidget *>(QString::fromLatin1(name));
        if (auto *label = qobject_cast<QLabel *>(w))
            label->setText(text);
        else if (auto *group = qobject_cast<QGroupBox *>(w))
            group->setTitle(text);
        else if (auto *button = qobject_cast<QAbstractButton *>(w))
            button->setText(text);
    };
    setWindowTitle(en ? QStringLiteral("Settings") : QStringLiteral("Einstellungen"));
    set("Label2", en ? QStringLiteral("Font size") : QStringLiteral("Schriftgrösse"));
    set("GroupBox1", en ? QStringLiteral("Line numbering") : QStringLiteral("Zeilennummerierung"));
    set("RadioButton1", en ? QStringLiteral("On") : QStringLiteral("An"));
    set("RadioButton2", en ? QStringLiteral("Off") : QStringLiteral("Aus"));
    set("GroupBox3", en ? QStringLiteral("Colors") : QStringLiteral("Farben"));
    set("Label8", en ? QStringLiteral("Keyword") : QStringLiteral("Schlüsselwort"));
    set("Label10", en ? QStringLiteral("Values") : QStringLiteral("Werte"));
    set("Label5", en ? QStringLiteral("Password") : QStringLiteral("Passwort"));
    set("CheckAnonym", en ? QStringLiteral("Anonymous") : QStringLiteral("Anonym"));
    set("Label6", en ? QStringLiteral("External browser") : QStringLiteral("Externer Browser"));
    set("BitBtn2", en ? QStringLiteral("Cancel") : QStringLiteral("Abbrechen"));
    if (auto *browse = findChild<QWidget *>(QStringLiteral("BitBtn4")))
        browse->setToolTip(en ? QStringLiteral("Open path") : QStringLiteral("Durchsuchen"));
}

void TFormSetup::FormShow()
{
    setCaptions();
    QStringList lines;
    bool exists = false;
    QFile file(settingsFilePath(DataFolder));
    if (file.open(QIODevice::ReadOnly)) {
        exists = true;
        lines = settingsLinesFromFile(file.readAll());
    }
    const auto put = [&](int i, QLineEdit *field) {
        if (!at(lines, i).trimmed().isEmpty())
            field->setText(at(lines, i));
    };
    put(0, m_fontName);
    if (!at(lines, 1).trimmed().isEmpty())
        m_fontSize->setCurrentText(at(lines, 1));
    put(3, m_user);
    put(4, m_password);
    put(5, m_server);
    put(8, m_browser);
    put(9, m_keyword);
    put(10, m_parameter);
    put(11, m_value);
    (at(lines, 2) == QStringLiteral("false") ? m_numbersOff : m_numbersOn)->setChecked(true);
    m_anonymous->setChecked(at(lines, 6) != QStringLiteral("UserLogin"));
    updateLoginFields();
    m_charset->setCurrentIndex(0);
    if (!at(lines, 7).trimmed().isEmpty()) {
        const int index = int(charsets().lastIndexOf(at(lines, 7)));
        if (index >= 0)
            m_charset->setCurrentIndex(index);
    }
    updateCharsetLabel();
    for (int i = 0; i < 3; ++i)
        m_kept[i] = at(lines, 12 + i).trimmed();
    // A file without a language line keeps the language the window runs in, so that OK
    // does not store German for a user who chose English on the first start.
    if (exists && !at(lines, 15).trimmed().isEmpty())
        LanguageValue = settingsInteger(at(lines, 15)).value_or(0);
}

QStringList TFormSetup::settingsLines() const
{
    // A size that is no whole number is left out rather than stored.
    const QString size = settingsInteger(m_fontSize->currentText()) ? m_fontSize->currentText().trimmed() : QString();
    QStringList lines = {
        m_fontName->text(),
        size,
        m_numbersOff->isChecked() ? QStringLiteral("false") : QStringLiteral("true"),
        m_user->text(),
        m_password->text(),
        m_server->text(),
        m_anonymous->isChecked() ? QStringLiteral("Anonymous") : QStringLiteral("UserLogin"),
        m_charset->currentText(),
        m_browser->text(),
        m_keyword->text(),
        m_parameter->text(),
        m_value->text(),
        m_kept[0],
        m_kept[1],
        m_kept[2],
        QString::number(LanguageValue),
    };
    // A line break pasted into a field would shift every later line of the file.
    for (QString &line : lines) {
        line.remove(QLatin1Char('\r'));
        line.remove(QLatin1Char('\n'));
    }
    return lines;
}

bool TFormSetup::writeSettings() const
{
    return writeSettingsFile(settingsFilePath(DataFolder), settingsLines());
}

void TFormSetup::updateLoginFields()
{
    const bool anonymous = m_anonymous->isChecked();
    m_user->setEnabled(!anonymous);
    m_password->setEnabled(!anonymous);
}

void TFormSetup::updateCharsetLabel()
{
    const int index = m_charset->currentIndex();
    m_charsetLabel->setText(index >= 0 ? charsetDescriptions().value(index) : QString());
}

void TFormSetup::chooseColor(QLineEdit *field)
{
    const auto color = m_prompter.chooseColor(fromWindowsColor(field->text().toInt()));
    if (color)
        field->setText(QString::number(toWindowsColor(*color)));
}

void TFormSetup::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1 && m_help) {
        m_help(90);
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace korvel
