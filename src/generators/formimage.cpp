#include "generators/formimage.h"

#include "generators/generatordialog.h"
#include "generators/htmlescape.h"
#include "generators/imagepreview.h"
#include "prompt/prompter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

namespace korvel {

namespace {

constexpr int kHelpContext = 200;
constexpr int kWidth = 615;
constexpr int kHeight = 460;

const char *const kImageFilter =
    "all(*.gif,*.jpg,*.bmp,*.png)|*.gif;*.jpg;*.jpeg;*.bmp;*.png|JPG|*.jpg;*.jpeg|GIF|*.gif|PNG|*.png";

QLineEdit *lineEdit(const char *name, const QString &text = {})
{
    auto *edit = new QLineEdit(text);
    edit->setObjectName(QLatin1String(name));
    return edit;
}

QLabel *label(const char *name, const QString &text = {})
{
    auto *l = new QLabel(text);
    l->setObjectName(QLatin1String(name));
    return l;
}

} // namespace

TFormImage::TFormImage(Prompter &prompter, QWidget *parent)
    : HelpDialog(kHelpContext, parent)
    , m_prompter(prompter)
{
    setObjectName(QStringLiteral("TFormImage"));
    setWindowTitle(QStringLiteral("Image"));
    buildControls();
    setCaptions();
    CheckMapClick();
    resize(kWidth, kHeight);
}

void TFormImage::buildControls()
{
    m_open = new QPushButton;
    m_open->setObjectName(QStringLiteral("BitBtn1"));
    m_open->setAutoDefault(false);
    m_label1 = label("Label1");
    m_complete = lineEdit("EditComplete");
    m_checkComplete = new QCheckBox;
    m_checkComplete->setObjectName(QStringLiteral("CheckComplete"));
    m_label2 = label("Label2");
    m_fileOnly = lineEdit("EditFileonly");
    m_checkFileOnly = new QCheckBox;
    m_checkFileOnly->setObjectName(QStringLiteral("CheckFileOnly"));
    m_checkFileOnly->setChecked(true);
    m_stretch = new QCheckBox;
    m_stretch->setObjectName(QStringLiteral("CheckBox1"));
    m_helpButton = new QToolButton;
    m_helpButton->setObjectName(QStringLiteral("SpeedButton1"));
    m_helpButton->setText(QStringLiteral("?"));

    auto *files = new QGridLayout;
    files->addWidget(m_open, 0, 0);
    files->addWidget(m_label1, 0, 1);
    files->addWidget(m_complete, 0, 2);
    files->addWidget(m_checkComplete, 0, 3);
    files->addWidget(m_helpButton, 0, 4);
    files->addWidget(m_stretch, 1, 0);
    files->addWidget(m_label2, 1, 1);
    files->addWidget(m_fileOnly, 1, 2);
    files->addWidget(m_checkFileOnly, 1, 3);
    files->setColumnStretch(2, 1);

    m_panel = new ImagePreview;
    connect(m_panel, &ImagePreview::clicked, this, &TFormImage::previewClicked);

    m_previewGroup = new QGroupBox;
    m_previewGroup->setObjectName(QStringLiteral("GroupBox2"));
    m_previewGroup->installEventFilter(this);
    m_width = label("Label13", QStringLiteral("000"));
    m_height = label("Label15", QStringLiteral("000"));
    m_slider = new QSlider(Qt::Horizontal);
    m_slider->setObjectName(QStringLiteral("TrackBar1"));
    m_slider->setRange(0, 0);
    m_showMode = new QRadioButton;
    m_showMode->setObjectName(QStringLiteral("CheckBoxShow"));
    m_showMode->setChecked(true);
    m_manualMode = new QRadioButton;
    m_manualMode->setObjectName(QStringLiteral("RadioButton1"));
    auto *previewBox = new QGridLayout(m_previewGroup);
    auto *size = new QHBoxLayout;
    size->addWidget(new QLabel(QStringLiteral("Pixel:")));
    size->addWidget(m_width);
    size->addWidget(new QLabel(QStringLiteral("x")));
    size->addWidget(m_height);
    size->addStretch();
    previewBox->addLayout(size, 0, 0, 1, 2);
    previewBox->addWidget(m_slider, 1, 0, 1, 2);
    previewBox->addWidget(m_showMode, 2, 0);
    previewBox->addWidget(m_manualMode, 2, 1);

    m_mapGroup = new QGroupBox(QStringLiteral("Image Map"));
    m_mapGroup->setObjectName(QStringLiteral("GroupBox1"));
    m_map = new QCheckBox;
    m_map->setObjectName(QStringLiteral("CheckMap"));
    m_mapName = lineEdit("MapName", QStringLiteral("MapName"));
    m_shape = new QComboBox;
    m_shape->setObjectName(QStringLiteral("ComboBox1"));
    m_shape->addItems({QStringLiteral("rect"), QStringLiteral("circle")});
    m_coordsLabel = label("Label5");
    m_leftLabel = label("LabelLeft");
    m_topLabel = label("LabelTop");
    m_radiusLabel = label("LabelRadius");
    m_bottomLabel = label("Label9");
    m_left = lineEdit("Left");
    m_top = lineEdit("Top");
    m_right = lineEdit("Right");
    m_bottom = lineEdit("Bottom");
    m_clear = new QPushButton(QStringLiteral("Clear"));
    m_clear->setObjectName(QStringLiteral("BitBtn2"));
    m_clear->setAutoDefault(false);
    auto *mapBox = new QGridLayout(m_mapGroup);
    mapBox->addWidget(m_map, 0, 0, 1, 4);
    mapBox->addWidget(new QLabel(QStringLiteral("Name")), 1, 0);
    mapBox->addWidget(m_mapName, 1, 1, 1, 3);
    mapBox->addWidget(new QLabel(QStringLiteral("Shape")), 2, 0);
    mapBox->addWidget(m_shape, 2, 1, 1, 3);
    mapBox->addWidget(m_coordsLabel, 3, 0, 1, 4);
    mapBox->addWidget(m_leftLabel, 4, 0);
    mapBox->addWidget(m_left, 4, 1);
    mapBox->addWidget(m_topLabel, 4, 2);
    mapBox->addWidget(m_top, 4, 3);
    mapBox->addWidget(m_radiusLabel, 5, 0);
    mapBox->addWidget(m_right, 5, 1);
    mapBox->addWidget(m_bottomLabel, 5, 2);
    mapBox->addWidget(m_bottom, 5, 3);
    mapBox->addWidget(m_clear, 6, 3);

    m_alt = lineEdit("Alt", QStringLiteral("Comment"));
    m_title = lineEdit("Title", QStringLiteral("Title"));
    m_href = lineEdit("Href", QStringLiteral("https://www.example.com/"));
    auto *texts = new QGridLayout;
    texts->addWidget(new QLabel(QStringLiteral("Alt")), 0, 0);
    texts->addWidget(m_alt, 0, 1);
    texts->addWidget(new QLabel(QStringLiteral("Title")), 1, 0);
    texts->addWidget(m_title, 1, 1);
    texts->addWidget(new QLabel(QStringLiteral("Link")), 2, 0);
    texts->addWidget(m_href, 2, 1);

    m_ok = new QPushButton(QStringLiteral("OK"));
    m_ok->setObjectName(QStringLiteral("ButtonOnly"));
    m_ok->setDefault(true);
    m_cancel = new QPushButton;
    m_cancel->setObjectName(QStringLiteral("BitBtn3"));
    m_cancel->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);

    auto *left = new QVBoxLayout;
    left->addWidget(m_panel, 1);
    left->addWidget(m_previewGroup);
    // The fields keep their width; the preview takes what the dialog gains.
    auto *rightColumn = new QWidget;
    rightColumn->setFixedWidth(kWidth - 270);
    auto *right = new QVBoxLayout(rightColumn);
    right->setContentsMargins(0, 0, 0, 0);
    right->addWidget(m_mapGroup);
    right->addLayout(texts);
    right->addStretch();
    right->addLayout(buttons);
    auto *middle = new QHBoxLayout;
    middle->addLayout(left, 1);
    middle->addWidget(rightColumn);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(files);
    layout->addLayout(middle, 1);

    const QList<QWidget *> order = {m_open, m_complete, m_checkComplete, m_fileOnly, m_checkFileOnly,
                                    m_stretch, m_slider, m_showMode, m_manualMode, m_map, m_mapName,
                                    m_shape, m_left, m_top, m_right, m_bottom, m_clear, m_alt, m_title,
                                    m_href, m_ok, m_cancel, m_helpButton};
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);

    connect(m_open, &QPushButton::clicked, this, &TFormImage::BitBtn1Click);
    connect(m_clear, &QPushButton::clicked, this, &TFormImage::BitBtn2Click);
    connect(m_ok, &QPushButton::clicked, this, &TFormImage::ButtonOnlyClick);
    connect(m_cancel, &QPushButton::clicked, this, [this] {
        Result.clear();
        reject();
    });
    connect(m_helpButton, &QToolButton::clicked, this, &TFormImage::showHelp);
    // The two ways of writing the file name exclude each other.
    connect(m_checkComplete, &QCheckBox::toggled, m_checkFileOnly, [this](bool on) { m_checkFileOnly->setChecked(!on); });
    connect(m_checkFileOnly, &QCheckBox::toggled, m_checkComplete, [this](bool on) { m_checkComplete->setChecked(!on); });
    connect(m_stretch, &QCheckBox::toggled, this, [this] { showPicture(m_image); });
    connect(m_map, &QCheckBox::clicked, this, &TFormImage::CheckMapClick);
    connect(m_shape, &QComboBox::currentIndexChanged, this, &TFormImage::shapeChanged);
    connect(m_slider, &QSlider::valueChanged, this, &TFormImage::TrackBar1Change);
    connect(m_showMode, &QRadioButton::clicked, this, [this] { setMode(true); });
    connect(m_manualMode, &QRadioButton::clicked, this, [this] { setMode(false); });
    for (QLineEdit *coordinate : {m_left, m_top, m_right, m_bottom})
        connect(coordinate, &QLineEdit::textEdited, this, &TFormImage::drawArea);
}

void TFormImage::setCaptions()
{
    const bool german = UiLanguage == 0;
    auto pick = [german](const char16_t *de, const char16_t *en) {
        return QString::fromUtf16(german ? de : en);
    };
    m_open->setText(pick(u"Öffnen", u"Open"));
    m_label1->setText(pick(u"Pfad einschliessen", u"Include path"));
    const QString pathHint = pick(u"Komplette Pfadangabe im Dateinamen angeben", u"Include path in filename");
    m_label1->setToolTip(pathHint);
    m_checkComplete->setToolTip(pathHint);
    m_label2->setText(pick(u"Nur Dateiname", u"Filename only"));
    const QString nameHint = pick(u"Dateiname ohne Pfadangaben einfügen", u"Filename only, no path included");
    m_label2->setToolTip(nameHint);
    m_checkFileOnly->setToolTip(nameHint);
    m_stretch->setText(pick(u"Grafik strecken", u"Stretch graphics"));
    m_previewGroup->setTitle(pick(u"Vorschau Image Map", u"Preview image map"));
    m_showMode->setText(pick(u"Optisch", u"Optical"));
    m_showMode->setToolTip(pick(u"Mit Schieberegler Koordinaten optisch einstellen", u"Use slider to set coords"));
    m_manualMode->setText(pick(u"Manuell", u"Manual"));
    m_manualMode->setToolTip(pick(u"Koordinaten manuell eingeben", u"Enter coords manual"));
    m_map->setText(pick(u"Image Map erstellen", u"Create image map"));
    m_coordsLabel->setText(pick(u"Koord.", u"Coords"));
    m_coordsLabel->setToolTip(pick(u"Koordinaten des Auswahlrahmens", u"Coords of the active link borders"));
    m_leftLabel->setText(pick(u"Links", u"Left"));
    m_topLabel->setText(pick(u"Oben", u"Top"));
    m_radiusLabel->setText(circle() ? QStringLiteral("Radius") : pick(u"Rechts", u"Right"));
    m_bottomLabel->setText(pick(u"Unten", u"Bottom"));
    m_alt->setToolTip(pick(u"Alternativtext", u"Alt text"));
    m_title->setToolTip(pick(u"Hinweistext", u"title text"));
    m_href->setToolTip(pick(u"Url für den Link", u"Enter Url"));
    m_cancel->setText(pick(u"Abbrechen", u"Cancel"));
}

bool TFormImage::circle() const
{
    return m_shape->currentText() == QStringLiteral("circle");
}

void TFormImage::FormShow()
{
    setCaptions();
    Result.clear();
    setMode(true);
    m_showMode->setChecked(true);
    // A new showing starts without a picture: the size of the last one must not reach the next
    // element.
    m_image = QImage();
    m_width->setText(QStringLiteral("000"));
    m_height->setText(QStringLiteral("000"));
    m_slider->setMaximum(0);
    CheckMapClick();
    showPicture(QImage());
    for (QLineEdit *coordinate : {m_left, m_top, m_right, m_bottom})
        coordinate->clear();
    setWindowState(Qt::WindowNoState);
    resize(kWidth, kHeight);
    m_complete->clear();
    m_fileOnly->clear();
    if (m_map->isChecked()) {
        m_map->setChecked(false);
        CheckMapClick();
    }
}

void TFormImage::CheckMapClick()
{
    const bool on = m_map->isChecked();
    if (on)
        m_stretch->setChecked(false);
    m_stretch->setEnabled(!on);
    BitBtn2Click();
    for (QWidget *w : std::initializer_list<QWidget *>{m_mapName, m_shape, m_left, m_top, m_right, m_bottom,
                                                       m_coordsLabel, m_leftLabel, m_topLabel, m_radiusLabel,
                                                       m_bottomLabel, m_href, m_slider, m_showMode, m_manualMode,
                                                       m_clear})
        w->setEnabled(on);
    m_slider->setValue(0);
    m_alt->setText(QStringLiteral("Comment"));
    m_title->setText(QStringLiteral("Title"));
}

void TFormImage::BitBtn1Click()
{
    FileRequest request;
    request.caption = UiLanguage == 0 ? QStringLiteral("Öffnen") : QStringLiteral("Open");
    request.filter = QLatin1String(kImageFilter);
    if (!DocumentFile.isEmpty() && QFileInfo(DocumentFile).isAbsolute())
        request.folder = QFileInfo(DocumentFile).absolutePath();
    const QString path = m_prompter.openFileName(request);
    if (path.isEmpty())
        return;
    m_complete->setText(documentRelativePath(DocumentFile, path));
    m_fileOnly->setText(encodedFileName(path));
    if (!loadImage(path))
        m_prompter.error(UiLanguage == 0 ? QStringLiteral("Ungültiges Grafikformat!")
                                         : QStringLiteral("Invalid image format!"));
}

bool TFormImage::loadImage(const QString &path)
{
    // The last picture goes first, so that a file that cannot be read never shows, or lends
    // its size to, the picture before it.
    m_image = QImage();
    showPicture(QImage());
    m_width->setText(QStringLiteral("000"));
    m_height->setText(QStringLiteral("000"));
    m_slider->setMaximum(0);
    BitBtn2Click();

    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    // The browser turns a photo by its orientation mark, so the size must be the turned one.
    reader.setAutoTransform(true);
    const QImage picture = reader.read();
    if (picture.isNull())
        return false;
    m_image = picture;
    showPicture(m_image);
    m_width->setText(QString::number(m_image.width()));
    m_height->setText(QString::number(m_image.height()));
    m_slider->setMaximum(sliderMaximum(m_shape->currentText(), m_image.width(), m_image.height()));
    return true;
}

void TFormImage::showPicture(const QImage &picture)
{
    m_panel->showPicture(picture, m_stretch->isChecked() && !m_map->isChecked());
}

void TFormImage::BitBtn2Click()
{
    m_slider->setValue(0);
    showPicture(m_image);
    for (QLineEdit *coordinate : {m_left, m_top, m_right, m_bottom})
        coordinate->clear();
}

void TFormImage::shapeChanged()
{
    BitBtn2Click();
    const bool round = circle();
    m_radiusLabel->setText(round ? QStringLiteral("Radius")
                                 : (UiLanguage == 0 ? QStringLiteral("Rechts") : QStringLiteral("Right")));
    m_bottom->setVisible(!round);
    m_bottomLabel->setVisible(!round);
    // Back to a rectangle the slider reaches the smaller side again.
    m_slider->setMaximum(m_image.isNull() ? 0 : sliderMaximum(m_shape->currentText(), m_image.width(), m_image.height()));
}

void TFormImage::setMode(bool slider)
{
    m_sliderMode = slider;
    BitBtn2Click();
    drawArea();
}

void TFormImage::TrackBar1Change()
{
    if (m_image.isNull())
        return;
    SliderArea area;
    if (sliderArea(m_shape->currentText(), m_slider->value(), m_image.width(), m_image.height(), area)) {
        m_left->setText(QString::number(area.left));
        m_top->setText(QString::number(area.top));
        m_right->setText(QString::number(area.right));
        if (!circle())
            m_bottom->setText(QString::number(area.bottom));
    }
    if (m_sliderMode)
        drawArea();
}

void TFormImage::drawArea()
{
    showPicture(m_image);
    if (m_image.isNull() || !m_map->isChecked())
        return;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    if (m_sliderMode) {
        SliderArea area;
        if (!sliderArea(m_shape->currentText(), m_slider->value(), m_image.width(), m_image.height(), area))
            return;
        x1 = area.left, y1 = area.top, x2 = area.right, y2 = area.bottom;
    } else {
        x1 = coordinateValue(m_left->text());
        y1 = coordinateValue(m_top->text());
        x2 = coordinateValue(m_right->text());
        y2 = circle() ? 0 : coordinateValue(m_bottom->text());
        if (x1 < 0 || y1 < 0 || x2 < 0 || y2 < 0)
            return;
    }
    // The outline shows the area the coordinates describe: for a circle its centre and radius.
    showPicture(withAreaOutline(m_image, circle(), x1, y1, x2, y2));
}

void TFormImage::previewClicked(const QPoint &pixel)
{
    if (!m_map->isChecked() || m_image.isNull())
        return;
    if (m_left->text().trimmed().isEmpty()) {
        m_left->setText(QString::number(pixel.x()));
        m_top->setText(QString::number(pixel.y()));
        return;
    }
    if (circle()) {
        // The second click marks a point on the circle: its distance from the centre is the radius.
        const int cx = coordinateValue(m_left->text());
        const int cy = coordinateValue(m_top->text());
        if (cx < 0 || cy < 0)
            return;
        m_right->setText(QString::number(qRound(std::hypot(pixel.x() - cx, pixel.y() - cy))));
    } else {
        m_right->setText(QString::number(pixel.x()));
        m_bottom->setText(QString::number(pixel.y()));
    }
    drawArea();
}

bool TFormImage::eventFilter(QObject *watched, QEvent *event)
{
    // A click on the slider's group applies the slider as it stands.
    if (watched == m_previewGroup && event->type() == QEvent::MouseButtonPress && m_slider->isEnabled())
        TrackBar1Change();
    return QDialog::eventFilter(watched, event);
}

ImageFields TFormImage::fields() const
{
    ImageFields f;
    f.source = m_checkComplete->isChecked() ? m_complete->text() : m_fileOnly->text();
    f.width = m_image.isNull() ? 0 : m_image.width();
    f.height = m_image.isNull() ? 0 : m_image.height();
    f.alt = m_alt->text();
    f.title = m_title->text();
    f.map = m_map->isChecked();
    f.mapName = m_mapName->text();
    f.shape = m_shape->currentText();
    f.left = m_left->text();
    f.top = m_top->text();
    f.right = m_right->text();
    f.bottom = m_bottom->text();
    f.href = m_href->text();
    return f;
}

void TFormImage::ButtonOnlyClick()
{
    const ImageFields f = fields();
    const bool german = UiLanguage == 0;
    // Closing with nothing to insert would look like success; the dialog stays open instead.
    switch (imageProblem(f)) {
    case ImageProblem::NoSource:
        m_prompter.warning(german ? QStringLiteral("Bitte eine Grafikdatei angeben.")
                                  : QStringLiteral("Please choose an image file."));
        return;
    case ImageProblem::BadCoordinates:
        m_prompter.warning(german ? QStringLiteral("Bitte gültige Koordinaten für die Fläche angeben.")
                                  : QStringLiteral("Please enter valid coordinates for the area."));
        return;
    case ImageProblem::None:
        break;
    }
    Result = buildImageHtml(f);
    accept();
}

std::optional<QString> runImageDialog(TFormImage &dialog, Prompter &prompter, int uiLanguage,
                                      const QString &documentFile)
{
    return runGeneratorDialog(dialog, prompter, uiLanguage, documentFile);
}

} // namespace korvel
