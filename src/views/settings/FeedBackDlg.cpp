#include "views/settings/FeedBackDlg.h"

#include "helpers/CUserConfigUtils.h"
#include "helpers/LogMacros.h"
#include "views/framework/AlertDlg.h"
#include "views/framework/CWaitingDlg.h"
#include "views/settings/CFeedbackArchiver.h"
#include "views/settings/FeedBackImgButton.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpacerItem>
#include <QStandardPaths>
#include <QTextCursor>
#include <QVBoxLayout>

namespace Ui {

// The form, written by hand in the shape uic gives (texts in context "FeedBackDlg").
class FeedBackDlg
{
public:
    QWidget *titleWidget = nullptr;
    QLabel *m_pTitle = nullptr;
    QPushButton *m_pCloseBtn = nullptr;
    QWidget *bgwidget = nullptr;
    QLabel *label_2 = nullptr;
    QWidget *m_inputWidget = nullptr;
    QPlainTextEdit *m_textEdit = nullptr;
    QWidget *horizontalWidget = nullptr;
    FeedBackImgButton *imageButtons[6] = {};
    QLabel *m_showImgNum = nullptr;
    QHBoxLayout *horizontalLayout_2 = nullptr;
    QPushButton *m_imgButton = nullptr;
    QLabel *m_showContactsNum = nullptr;
    QLabel *label_3 = nullptr;
    QLineEdit *m_contactsEdit = nullptr;
    QWidget *bottomWidget = nullptr;
    QPushButton *m_uploadButton = nullptr;

    void setupUi(QDialog *dlg)
    {
        dlg->setObjectName(QStringLiteral("FeedBackDlg"));
        dlg->resize(414, 400);
        auto *verticalLayout = new QVBoxLayout(dlg);
        verticalLayout->setSpacing(0);
        verticalLayout->setContentsMargins(1, 1, 1, 1);

        titleWidget = new QWidget(dlg);
        titleWidget->setObjectName(QStringLiteral("titleWidget"));
        titleWidget->setMinimumHeight(30);
        auto *titleLayout = new QHBoxLayout(titleWidget);
        titleLayout->setSpacing(0);
        titleLayout->setContentsMargins(20, 0, 0, 0);
        m_pTitle = new QLabel(titleWidget);
        m_pTitle->setObjectName(QStringLiteral("m_pTitle"));
        titleLayout->addWidget(m_pTitle);
        m_pCloseBtn = new QPushButton(titleWidget);
        m_pCloseBtn->setObjectName(QStringLiteral("m_pCloseBtn"));
        m_pCloseBtn->setFixedSize(30, 28);
        titleLayout->addWidget(m_pCloseBtn);
        verticalLayout->addWidget(titleWidget);

        bgwidget = new QWidget(dlg);
        bgwidget->setObjectName(QStringLiteral("bgwidget"));
        auto *bgLayout = new QVBoxLayout(bgwidget);
        bgLayout->setSpacing(8);
        bgLayout->setContentsMargins(20, 10, 20, 10);
        label_2 = new QLabel(bgwidget);
        label_2->setObjectName(QStringLiteral("label_2"));
        bgLayout->addWidget(label_2);

        m_inputWidget = new QWidget(bgwidget);
        m_inputWidget->setObjectName(QStringLiteral("m_inputWidget"));
        m_inputWidget->setMinimumHeight(180);
        auto *inputLayout = new QVBoxLayout(m_inputWidget);
        m_textEdit = new QPlainTextEdit(m_inputWidget);
        m_textEdit->setObjectName(QStringLiteral("m_textEdit"));
        inputLayout->addWidget(m_textEdit);
        horizontalWidget = new QWidget(m_inputWidget);
        horizontalWidget->setObjectName(QStringLiteral("horizontalWidget"));
        horizontalWidget->setFixedHeight(45);
        auto *imagesLayout = new QHBoxLayout(horizontalWidget);
        imagesLayout->setContentsMargins(0, 0, 0, 0);
        for (int i = 0; i < 6; ++i) {
            imageButtons[i] = new FeedBackImgButton(horizontalWidget);
            imageButtons[i]->setObjectName(QStringLiteral("imageButton_%1").arg(i + 1));
            imagesLayout->addWidget(imageButtons[i]);
        }
        m_showImgNum = new QLabel(horizontalWidget);
        m_showImgNum->setObjectName(QStringLiteral("m_showImgNum"));
        m_showImgNum->setText(QStringLiteral("0/6"));
        m_showImgNum->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        imagesLayout->addWidget(m_showImgNum, 1);
        inputLayout->addWidget(horizontalWidget);
        bgLayout->addWidget(m_inputWidget);

        horizontalLayout_2 = new QHBoxLayout();
        horizontalLayout_2->setSpacing(10);
        m_imgButton = new QPushButton(bgwidget);
        m_imgButton->setObjectName(QStringLiteral("m_imgButton"));
        m_imgButton->setFixedSize(20, 20);
        m_imgButton->setStyleSheet(
            QStringLiteral("#m_imgButton{border-image: url(:/resources/images/icon_pic_normal.png);}\n"
                           "#m_imgButton:hover{border-image: url(:/resources/images/icon_pic_hover.png);}"));
        horizontalLayout_2->addWidget(m_imgButton);
        m_showContactsNum = new QLabel(bgwidget);
        m_showContactsNum->setObjectName(QStringLiteral("m_showContactsNum"));
        m_showContactsNum->setText(QStringLiteral("0/200"));
        horizontalLayout_2->addWidget(m_showContactsNum);
        bgLayout->addLayout(horizontalLayout_2);

        label_3 = new QLabel(bgwidget);
        label_3->setObjectName(QStringLiteral("label_3"));
        bgLayout->addWidget(label_3);
        m_contactsEdit = new QLineEdit(bgwidget);
        m_contactsEdit->setObjectName(QStringLiteral("m_contactsEdit"));
        m_contactsEdit->setFixedHeight(34);
        bgLayout->addWidget(m_contactsEdit);
        verticalLayout->addWidget(bgwidget);

        bottomWidget = new QWidget(dlg);
        bottomWidget->setObjectName(QStringLiteral("bottomWidget"));
        bottomWidget->setMinimumHeight(44);
        auto *bottomLayout = new QHBoxLayout(bottomWidget);
        bottomLayout->setContentsMargins(0, 0, 20, 0);
        bottomLayout->addItem(new QSpacerItem(303, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
        m_uploadButton = new QPushButton(bottomWidget);
        m_uploadButton->setObjectName(QStringLiteral("m_uploadButton"));
        m_uploadButton->setFixedSize(80, 28);
        bottomLayout->addWidget(m_uploadButton);
        verticalLayout->addWidget(bottomWidget);

        retranslateUi(dlg);
    }

    void retranslateUi(QDialog *)
    {
        m_pTitle->setText(QCoreApplication::translate("FeedBackDlg", "Feedback"));
        label_2->setText(QCoreApplication::translate("FeedBackDlg", "Problem/Suggestion"));
        label_3->setText(QCoreApplication::translate("FeedBackDlg", "Contact info(optional)"));
        m_uploadButton->setText(QCoreApplication::translate("FeedBackDlg", "Sure"));
    }
};

} // namespace Ui

namespace rj_app::views {

namespace {

const char kStyleBase[] = ":/resources/qss/feed-back-dlg";

FeedBackDlg::FileChooser &openChooser()
{
    static FeedBackDlg::FileChooser chooser;
    return chooser;
}

FeedBackDlg::FileChooser &saveChooser()
{
    static FeedBackDlg::FileChooser chooser;
    return chooser;
}

QString pictureName(int i)
{
    return helpers::CUserConfigUtils::getUserConfigPath() + QStringLiteral("/IMG_%1.jpg").arg(i);
}

} // namespace

void FeedBackDlg::setOpenFileChooser(FileChooser chooser)
{
    openChooser() = std::move(chooser);
}

void FeedBackDlg::setSaveFileChooser(FileChooser chooser)
{
    saveChooser() = std::move(chooser);
}

FeedBackDlg::FeedBackDlg(QWidget *parent)
    : CBaseDlg(parent)
    , ui(new Ui::FeedBackDlg)
    , m_pArchiver(new CFeedbackArchiver(this))
{
    ui->setupUi(this);
    initUI();
}

FeedBackDlg::~FeedBackDlg()
{
    qInfo() << RJ_FUNCTION;
    if (m_pWaitingDlg) {
        m_pWaitingDlg->setParent(nullptr);
        delete m_pWaitingDlg;
        m_pWaitingDlg = nullptr;
    }
    delete ui;
    qInfo() << RJ_FUNCTION << "done";
}

void FeedBackDlg::initUI()
{
    qInfo() << RJ_FUNCTION;
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::FramelessWindowHint);
    refreshImages();
    ui->m_textEdit->setPlaceholderText(
        tr("Please fill in the problem description of more than 10 words, so that we can help you solve "
           "the problem more precisely."));
    ui->m_contactsEdit->setPlaceholderText(
        tr("Fill in your mobile phone number or email address, so that we can contact you."));
    for (int i = 0; i < m_iMaxImages; ++i) {
        ui->imageButtons[i]->setIndex(i);
        connect(ui->imageButtons[i], &FeedBackImgButton::sigeleteTag, this, &FeedBackDlg::slotRemoveImgAction);
    }
    connect(ui->m_textEdit, &QPlainTextEdit::textChanged, this, &FeedBackDlg::slotTextEditTextChanged);
    connect(ui->m_pCloseBtn, &QPushButton::clicked, this, &FeedBackDlg::slotCloseWindow);
    connect(ui->m_uploadButton, &QPushButton::clicked, this, &FeedBackDlg::slotUploadAction);
    connect(ui->m_imgButton, &QPushButton::clicked, this, &FeedBackDlg::slotClickImgBtn);
    // Only the results of this dialog's own upload arrive here.
    connect(m_pArchiver, &CFeedbackArchiver::sigUploadFeedback, this, &FeedBackDlg::slotUploadFeedback);
    connect(m_pArchiver, &CFeedbackArchiver::sigUploadAbandoned, this, &FeedBackDlg::slotUploadAbandoned);
    updateUploadButton();
    qInfo() << RJ_FUNCTION << "done";
}

bool FeedBackDlg::isUploading() const
{
    return m_pArchiver->isUploading();
}

void FeedBackDlg::showEvent(QShowEvent *event)
{
    m_layoutScaler.init(width(), height(), this);
    CBaseDlg::showEvent(event);
}

void FeedBackDlg::onDpiChanged()
{
    qInfo() << "feedbackdlg OnDpiChanged";
    setStyleSheet(QString());
    dragAreaHeight = int(30 * fStretchFactor);
    setStyleSheets(QString::fromLatin1(kStyleBase));
    m_layoutScaler.rescale(fStretchFactor, this);
}

void FeedBackDlg::slotTextEditTextChanged()
{
    const QString text = ui->m_textEdit->toPlainText();
    const int n = text.length();
    ui->m_showContactsNum->setText(QString::number(n) + QStringLiteral("/200"));
    if (n > m_iMaxTextLength) {
        const int excess = n - m_iMaxTextLength;
        int p = ui->m_textEdit->textCursor().position();
        // Text that did not come in at the cursor: cut the overflow at the end.
        if (p < excess)
            p = n;
        int start = p - excess;
        // Never leave half of a surrogate pair behind.
        if (start > 0 && text.at(start).isLowSurrogate() && text.at(start - 1).isHighSurrogate())
            --start;
        QString shortened = text;
        shortened.remove(start, p - start);
        ui->m_textEdit->setPlainText(shortened);
        QTextCursor cursor = ui->m_textEdit->textCursor();
        cursor.setPosition(qMin(start, shortened.length()));
        ui->m_textEdit->setTextCursor(cursor);
    }
    updateUploadButton();
}

void FeedBackDlg::updateUploadButton()
{
    // Nothing to send without a description, and one upload at a time.
    ui->m_uploadButton->setEnabled(!isUploading() && !ui->m_textEdit->toPlainText().trimmed().isEmpty());
}

void FeedBackDlg::slotCloseWindow()
{
    qInfo() << RJ_FUNCTION;
    close();
}

void FeedBackDlg::slotClickImgBtn()
{
    if (m_images.size() >= m_iMaxImages)
        return;
    const QString caption = QStringLiteral("Please choose an image file");
    const QString filter = QStringLiteral("Image Files(*.jpg *.png *.bmp *.pgm *.pbm);;All(*.*)");
    const QString name = openChooser() ? openChooser()(this, caption, QString(), filter)
                                       : QFileDialog::getOpenFileName(this, caption, QString(), filter);
    if (name.isEmpty())
        return;
    QImage image;
    if (!image.load(name))
        return;
    m_images.append(image);
    refreshImages();
}

void FeedBackDlg::slotRemoveImgAction(int index)
{
    if (index < 0 || index >= m_images.size())
        return;
    m_images.remove(index);
    refreshImages();
}

void FeedBackDlg::refreshImages()
{
    const int count = m_images.size();
    ui->m_showImgNum->setText(QString::number(count) + QStringLiteral("/6"));
    for (int i = 0; i < m_iMaxImages; ++i) {
        if (QFileInfo::exists(pictureName(i)))
            QFile::remove(pictureName(i));
    }
    for (int i = 0; i < count; ++i) {
        if (!m_images.at(i).save(pictureName(i), "JPG", 50))
            qWarning() << RJ_FUNCTION << "cannot write" << pictureName(i);
    }
    for (int i = 0; i < m_iMaxImages; ++i) {
        if (i < count) {
            ui->imageButtons[i]->setImage(m_images.at(i));
            ui->imageButtons[i]->show();
        } else {
            ui->imageButtons[i]->hide();
        }
    }
}

void FeedBackDlg::slotUploadAction()
{
    qInfo() << RJ_FUNCTION;
    // A second click while the first upload runs would send twice.
    if (isUploading() || ui->m_textEdit->toPlainText().trimmed().isEmpty())
        return;
    // The engine's results do not say whose upload they are: one at a time.
    if (CFeedbackArchiver::isAnyUploadRunning()) {
        qInfo() << RJ_FUNCTION << "another feedback upload is running";
        AlertDlg::execPrompt(this, tr("Note"),
                             tr("Another feedback is being uploaded. Please try again when it has finished."));
        return;
    }
    if (!m_pWaitingDlg) {
        m_pWaitingDlg = new CWaitingDlg(nullptr);
        m_pWaitingDlg->setParent(this, Qt::SplashScreen);
    }
    m_pWaitingDlg->show();
    m_pWaitingDlg->move(pos());
    m_pWaitingDlg->setFixedSize(size());
    qInfo() << "show and position waiting...";
    if (!m_pArchiver->startUpload(ui->m_textEdit->toPlainText(), ui->m_contactsEdit->text()))
        m_pWaitingDlg->hide();
    updateUploadButton();
}

void FeedBackDlg::endUpload()
{
    if (m_pWaitingDlg)
        m_pWaitingDlg->hide();
    updateUploadButton();
}

void FeedBackDlg::slotUploadAbandoned()
{
    qWarning() << RJ_FUNCTION << "nothing to upload";
    endUpload();
}

void FeedBackDlg::slotUploadFeedback(int number)
{
    if (number >= 0 && number != 100)
        return; // progress: the overlay stays
    // The overlay goes first so that it never covers the box.
    endUpload();
    if (number < 0) {
        qWarning() << RJ_FUNCTION << "upload failed" << number;
        if (AlertDlg::execQuestion(this, tr("Note"), tr("Uploaded failed"), QDialogButtonBox::Yes,
                                   QDialogButtonBox::NoButton) == QDialogButtonBox::Yes)
            saveLogAs();
        return;
    }
    qInfo() << RJ_FUNCTION << "uploaded";
    m_pArchiver->removeZip();
    if (AlertDlg::execQuestion(this, tr("Note"), tr("Uploaded successfully"), QDialogButtonBox::Yes,
                               QDialogButtonBox::NoButton) == QDialogButtonBox::Yes)
        close();
}

void FeedBackDlg::saveLogAs()
{
    const QString zipName = m_pArchiver->zipName();
    const QString source = m_pArchiver->zipPath();
    QString folder = helpers::CUserConfigUtils::getInstance()
        ? helpers::CUserConfigUtils::getInstance()->getScreenPicPath()
        : QString();
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    const QString caption = tr("Save Log");
    const QString filter = QStringLiteral("(*.zip)");
    const QString startPath = folder + zipName;
    const QString target = saveChooser() ? saveChooser()(this, caption, startPath, filter)
                                         : QFileDialog::getSaveFileName(this, caption, startPath, filter);
    bool saved = false;
    if (!target.isEmpty() && !source.isEmpty() && QFileInfo::exists(source)) {
        if (QFileInfo(target).absoluteFilePath() == QFileInfo(source).absoluteFilePath()) {
            saved = true;
        } else {
            // The chooser already confirmed replacing an existing file; copy
            // beside it first so a failed copy leaves the old file intact.
            const QString partial = target + QStringLiteral(".part");
            QFile::remove(partial);
            saved = QFile::copy(source, partial);
            if (saved && QFileInfo::exists(target))
                saved = QFile::remove(target);
            if (saved)
                saved = QFile::rename(partial, target);
            if (!saved)
                QFile::remove(partial);
        }
    }
    if (!saved || QFileInfo(target).absoluteFilePath() != QFileInfo(source).absoluteFilePath())
        QFile::remove(source);
    qInfo() << RJ_FUNCTION << (saved ? "saved" : "not saved");
    const QString text = saved ? tr("Save successfully") : tr("Save failed");
    if (AlertDlg::execQuestion(this, tr("Note"), text, QDialogButtonBox::Yes, QDialogButtonBox::NoButton) ==
            QDialogButtonBox::Yes &&
        saved)
        close();
}

} // namespace rj_app::views
