#pragma once

#include "generators/imagemarkup.h"
#include "prompt/helpdialog.h"

#include <QImage>
#include <optional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QToolButton;

namespace korvel {

class ImagePreview;
class Prompter;

// The image dialog: one picture as an IMG element with its pixel size, or with a client-side
// map of one rectangle or circle set by hand, by clicks into the preview or by the slider.
// It lives as long as the program; the map name, shape, link and switches keep their values.
class TFormImage final : public HelpDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFormImage)

public:
    explicit TFormImage(Prompter &prompter, QWidget *parent = nullptr);

    QString DocumentFile;  // the open document, for relative paths to chosen files
    QString Result;

    void FormShow();          // every showing starts without a picture and without a map
    void BitBtn1Click();      // Open
    void BitBtn2Click();      // Clear
    void ButtonOnlyClick();   // OK
    void CheckMapClick();     // the map-enabling rule
    void TrackBar1Change();   // the slider
    // Reads the picture by its content, whatever its extension says.
    bool loadImage(const QString &path);

    const QImage &image() const { return m_image; }
    ImageFields fields() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void setCaptions();
    void shapeChanged();
    void setMode(bool slider);
    void showPicture(const QImage &picture);
    void drawArea();
    void previewClicked(const QPoint &pixel);
    bool circle() const;

    Prompter &m_prompter;
    QImage m_image;
    bool m_sliderMode = true;

    QPushButton *m_open = nullptr;
    QLabel *m_label1 = nullptr;
    QLineEdit *m_complete = nullptr;
    QCheckBox *m_checkComplete = nullptr;
    QLabel *m_label2 = nullptr;
    QLineEdit *m_fileOnly = nullptr;
    QCheckBox *m_checkFileOnly = nullptr;
    QCheckBox *m_stretch = nullptr;
    ImagePreview *m_panel = nullptr;
    QGroupBox *m_previewGroup = nullptr;
    QLabel *m_width = nullptr;
    QLabel *m_height = nullptr;
    QSlider *m_slider = nullptr;
    QRadioButton *m_showMode = nullptr;
    QRadioButton *m_manualMode = nullptr;
    QGroupBox *m_mapGroup = nullptr;
    QCheckBox *m_map = nullptr;
    QLineEdit *m_mapName = nullptr;
    QComboBox *m_shape = nullptr;
    QLabel *m_coordsLabel = nullptr;
    QLabel *m_leftLabel = nullptr;
    QLabel *m_topLabel = nullptr;
    QLabel *m_radiusLabel = nullptr;
    QLabel *m_bottomLabel = nullptr;
    QLineEdit *m_left = nullptr;
    QLineEdit *m_top = nullptr;
    QLineEdit *m_right = nullptr;
    QLineEdit *m_bottom = nullptr;
    QLineEdit *m_alt = nullptr;
    QLineEdit *m_title = nullptr;
    QLineEdit *m_href = nullptr;
    QPushButton *m_clear = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
    QToolButton *m_helpButton = nullptr;
};

// Shows the dialog in the given language; the image HTML, or nothing when cancelled.
std::optional<QString> runImageDialog(TFormImage &dialog, Prompter &prompter, int uiLanguage,
                                      const QString &documentFile);

} // namespace korvel
