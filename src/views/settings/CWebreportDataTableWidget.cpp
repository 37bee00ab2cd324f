#include "views/settings/CWebreportDataTableWidget.h"

#include <QAbstractItemView>
#include <QColor>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QTableWidgetItem>

using rj::engine::RJDiag;
using rj::engine::RJDiagItem;
using rj::engine::RJDiagMedia;
using rj::engine::RJDiagStream;

namespace {

constexpr int kMaxShownChars = 512;
const char *const kGoodColor = "#1ac869";
const char *const kBadColor = "#ff7474";
const char *const kHeadColor = "#919191";

bool isKnownStatus(int code)
{
    return code >= 0 && code <= 5;
}

// Of two codes, the one the cell shows: the larger, except that a code the
// table does not know wins, so a bad value is never hidden behind a good one.
int worseCode(int a, int b)
{
    if (!isKnownStatus(a))
        return a;
    if (!isKnownStatus(b))
        return b;
    return a > b ? a : b;
}

void setCommonTableLook(QTableWidget *table, int columns)
{
    table->setColumnCount(columns);
    table->setShowGrid(false);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setFocusPolicy(Qt::NoFocus);
    table->setFrameShape(QFrame::NoFrame);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    table->verticalHeader()->setVisible(false);
    table->horizontalHeader()->setVisible(false);
}

void sizeTable(QTableWidget *table, int column, int columnWidth, int rowHeight, double scale)
{
    table->setColumnWidth(column, static_cast<int>(columnWidth * scale));
    const int height = static_cast<int>(rowHeight * scale);
    for (int row = 0; row < table->rowCount(); ++row)
        table->setRowHeight(row, height);
}

} // namespace

CWebreportDataTableWidget *CWebreportDataTableWidget::getInstance()
{
    static CWebreportDataTableWidget instance;
    return &instance;
}

QString CWebreportDataTableWidget::displayText(const std::string &text)
{
    // Decode only what can be shown: a runaway value costs no more than a
    // short one.
    constexpr size_t kMaxBytes = static_cast<size_t>(kMaxShownChars) * 4;
    const bool cut = text.size() > kMaxBytes;
    const QString decoded = QString::fromUtf8(text.data(), static_cast<int>(cut ? kMaxBytes : text.size()));
    if (!cut && decoded.size() <= kMaxShownChars)
        return decoded;
    return decoded.left(kMaxShownChars) + QChar(0x2026);
}

// ------------------------------------------------------------ status cells

QTableWidgetItem *CWebreportDataTableWidget::makeStatusItem(int code, Cell cell)
{
    auto *item = new QTableWidgetItem(0);
    QString text;
    switch (code) {
    case 1:
        text = tr("Normal");
        break;
    case 2:
        text = tr("Available");
        break;
    case 3:
        text = tr("Poor");
        break;
    case 4:
        text = cell == Cell::Login ? tr("Timeout") : tr("Unreachable");
        break;
    case 5:
        if (cell == Cell::Login)
            text = tr("Login failed");
        else if (cell == Cell::Register)
            text = tr("Register failed");
        else if (cell == Cell::Call)
            text = tr("Call failed");
        else
            text = tr("Failed");
        break;
    default:
        break;
    }
    const bool good = code == 1 || code == 2;
    item->setText(text);
    item->setData(Qt::UserRole, good);
    item->setForeground(QColor(QLatin1String(good ? kGoodColor : kBadColor)));
    return item;
}

QTableWidgetItem *CWebreportDataTableWidget::createStatusItem(int status)
{
    return makeStatusItem(status, Cell::Plain);
}

QTableWidgetItem *CWebreportDataTableWidget::createStatusItem(int download, int upload)
{
    return makeStatusItem(worseCode(download, upload), Cell::Plain);
}

QTableWidgetItem *CWebreportDataTableWidget::createContentStatusItem(int download, int upload)
{
    int code = download != 0 ? download : upload;
    if (download != 0 && upload != 0)
        code = worseCode(download, upload);
    return makeStatusItem(code, Cell::Plain);
}

QTableWidgetItem *CWebreportDataTableWidget::createLoginStatusItem(int status)
{
    return makeStatusItem(status, Cell::Login);
}

QTableWidgetItem *CWebreportDataTableWidget::createRegisterStatusItem(int status)
{
    return makeStatusItem(status, Cell::Register);
}

QTableWidgetItem *CWebreportDataTableWidget::createCallStatusItem(int status)
{
    return makeStatusItem(status, Cell::Call);
}

// ------------------------------------------------------------ report table

void CWebreportDataTableWidget::initReportTable(QTableWidget *table)
{
    if (!table)
        return;
    setCommonTableLook(table, 2);
}

void CWebreportDataTableWidget::updateReportTableDpi(QTableWidget *table, double scale)
{
    if (!table || scale == 0)
        return;
    sizeTable(table, 1, 100, 36, scale);
}

void CWebreportDataTableWidget::fillReportTable(QTableWidget *table, RJDiag diag, int *page,
                                                bool *showMakeCallPrompt, bool *networkOk)
{
    bool ok = true;
    const auto finish = [&] {
        if (networkOk)
            *networkOk = ok;
    };
    if (!table) {
        finish();
        return;
    }
    table->clearContents();
    table->setRowCount(0);

    const auto addRow = [&](const char *label, QTableWidgetItem *status) {
        ok = ok && status->data(Qt::UserRole).toBool();
        const int r = table->rowCount();
        table->insertRow(r);
        table->setItem(r, 0, new QTableWidgetItem(tr(label), 0));
        table->setItem(r, 1, status);
    };

    const rj::engine::RJDiagCall &call = diag.call;
    if (diag.loginItem.status == 0) {
        if (page)
            *page = 0;
    } else {
        if (page)
            *page = 1;
        addRow(QT_TR_NOOP("Login service connection status"), createLoginStatusItem(diag.loginItem.status));
        if (diag.registerItem.status != 0)
            addRow(QT_TR_NOOP("Registration service connection status"),
                   createRegisterStatusItem(diag.registerItem.status));
        if (call.callItem.status == 0) {
            if (showMakeCallPrompt)
                *showMakeCallPrompt = true;
        } else {
            if (showMakeCallPrompt)
                *showMakeCallPrompt = false;
            addRow(QT_TR_NOOP("Call status"), createCallStatusItem(call.callItem.status));
            const int down = call.downloadRate.rateItem.status;
            const int up = call.uploadRate.rateItem.status;
            if (down != 0 && up != 0)
                addRow(QT_TR_NOOP("Call rate"), createStatusItem(down, up));
            const auto bothQualities = [&](const RJDiagStream &s, const char *label) {
                if (s.download.quality.status != 0 && s.upload.quality.status != 0)
                    addRow(label, createStatusItem(s.download.quality.status, s.upload.quality.status));
            };
            bothQualities(call.audio, QT_TR_NOOP("Network quality(Audio)"));
            bothQualities(call.video, QT_TR_NOOP("Network quality(Video)"));
            const int contentDown = call.content.download.quality.status;
            const int contentUp = call.content.upload.quality.status;
            if (contentDown != 0 || contentUp != 0)
                addRow(QT_TR_NOOP("Network quality(Content)"), createContentStatusItem(contentDown, contentUp));
        }
    }
    table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    finish();
}

// ----------------------------------------------------------- details table

void CWebreportDataTableWidget::initDetailsTable(QTableWidget *table)
{
    if (!table)
        return;
    setCommonTableLook(table, 3);
    table->setAlternatingRowColors(true);
    table->setWordWrap(true);
    table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
}

void CWebreportDataTableWidget::updateDetailsTableDpi(QTableWidget *table, double scale)
{
    if (!table || scale == 0)
        return;
    sizeTable(table, 2, 100, 40, scale);
}

QLabel *CWebreportDataTableWidget::createColumnLabel(const QString &text, bool head)
{
    auto *label = new QLabel(text);
    label->setObjectName(head ? QStringLiteral("ColumnHead0") : QStringLiteral("Column0"));
    return label;
}

void CWebreportDataTableWidget::fillDetailsTable(QTableWidget *table, RJDiag diag)
{
    if (!table)
        return;
    table->clear();
    table->setRowCount(0);

    const auto addRow = [&](const QString &name, bool head, QTableWidgetItem *detail, QTableWidgetItem *status) {
        const int r = table->rowCount();
        table->insertRow(r);
        table->setCellWidget(r, 0, createColumnLabel(name, head));
        table->setItem(r, 1, detail);
        table->setItem(r, 2, status);
    };
    // A quoted word, a space, then the item's value.
    const auto wordAndValue = [](const QString &word, const std::string &value) {
        return new QTableWidgetItem(word + QLatin1Char(' ') + displayText(value), 0);
    };

    {
        auto *status = new QTableWidgetItem(tr("Status"), 0);
        status->setForeground(QColor(QLatin1String(kHeadColor)));
        auto *detail = new QTableWidgetItem(tr("Details"), 0);
        detail->setForeground(QColor(QLatin1String(kHeadColor)));
        addRow(tr("Network status"), true, detail, status);
    }

    if (diag.loginItem.status == 0)
        return;
    {
        QTableWidgetItem *status = createLoginStatusItem(diag.loginItem.status);
        addRow(tr("Login service connection status"), false,
               wordAndValue(tr("Service address"), diag.loginItem.value), status);
    }
    if (diag.registerItem.status != 0) {
        QTableWidgetItem *status = createRegisterStatusItem(diag.registerItem.status);
        addRow(tr("Registration service connection status"), false,
               wordAndValue(tr("Service address"), diag.registerItem.value), status);
    }

    const rj::engine::RJDiagCall &call = diag.call;
    if (call.callItem.status == 0)
        return;
    {
        QTableWidgetItem *status = createCallStatusItem(call.callItem.status);
        addRow(tr("Call status"), false, createCallDetailItem(call.callItem.value, call.duration), status);
    }
    if (call.downloadRate.rateItem.status != 0) {
        const RJDiagItem &rate = call.downloadRate.rateItem;
        QTableWidgetItem *status = createStatusItem(rate.status);
        addRow(tr("Call rate(Download)"), false, wordAndValue(tr("Download"), rate.value), status);
    }
    if (call.uploadRate.rateItem.status != 0) {
        const RJDiagItem &rate = call.uploadRate.rateItem;
        QTableWidgetItem *status = createStatusItem(rate.status);
        addRow(tr("Call rate(Upload)"), false, wordAndValue(tr("Upload"), rate.value), status);
    }

    // The names of one block's rows; each is a whole translation source.
    struct BlockNames {
        QString quality, downLost, upLost, downJitter, upJitter, delay;
    };
    const auto addBlockSubRows = [&](const RJDiagStream &s, const BlockNames &n) {
        if (s.download.packetLost.status != 0) {
            QTableWidgetItem *status = createStatusItem(s.download.packetLost.status);
            addRow(n.downLost, false, createDownloadPacketLostItem(s.download.packetLost.value), status);
        }
        if (s.upload.packetLost.status != 0) {
            QTableWidgetItem *status = createStatusItem(s.upload.packetLost.status);
            addRow(n.upLost, false, createUploadPacketLostItem(s.upload.packetLost.value), status);
        }
        if (s.download.jitter.status != 0) {
            QTableWidgetItem *status = createStatusItem(s.download.jitter.status);
            addRow(n.downJitter, false, createDownloadJitterItem(s.download.jitter.value), status);
        }
        if (s.upload.jitter.status != 0) {
            QTableWidgetItem *status = createStatusItem(s.upload.jitter.status);
            addRow(n.upJitter, false, createUploadJitterItem(s.upload.jitter.value), status);
        }
        if (s.delay.status != 0) {
            QTableWidgetItem *status = createStatusItem(s.delay.status);
            addRow(n.delay, false, createDelayItem(s.delay.value), status);
        }
    };
    const auto addMediaBlock = [&](const RJDiagStream &s, const BlockNames &n) {
        if (s.download.quality.status == 0 || s.upload.quality.status == 0)
            return;
        QTableWidgetItem *status = createStatusItem(s.download.quality.status, s.upload.quality.status);
        addRow(n.quality, false, createDetailItem(s.download.description, s.upload.description), status);
        addBlockSubRows(s, n);
    };

    addMediaBlock(call.audio, {tr("Network quality(Audio)"), tr("Network quality(Audio download packet lost)"),
                               tr("Network quality(Audio upload packet lost)"),
                               tr("Network quality(Audio download jitter)"),
                               tr("Network quality(Audio upload jitter)"), tr("Network quality(Audio delay)")});
    addMediaBlock(call.video, {tr("Network quality(Video)"), tr("Network quality(Video download packet lost)"),
                               tr("Network quality(Video upload packet lost)"),
                               tr("Network quality(Video download jitter)"),
                               tr("Network quality(Video upload jitter)"), tr("Network quality(Video delay)")});

    const RJDiagStream &content = call.content;
    const int contentDown = content.download.quality.status;
    const int contentUp = content.upload.quality.status;
    if (contentDown != 0 || contentUp != 0) {
        const BlockNames n{tr("Network quality(Content)"),
                           tr("Network quality(Content download packet lost)"),
                           tr("Network quality(Content upload packet lost)"),
                           tr("Network quality(Content download jitter)"),
                           tr("Network quality(Content upload jitter)"),
                           tr("Network quality(Content delay)")};
        QTableWidgetItem *status = createContentStatusItem(contentDown, contentUp);
        addRow(n.quality, false,
               createContentDetailItem(contentDown, contentUp, content.download.description,
                                       content.upload.description),
               status);
        addBlockSubRows(content, n);
    }
}

// ------------------------------------------------------------ detail cells

QTableWidgetItem *CWebreportDataTableWidget::createDetailItem(const std::string &a, const std::string &b)
{
    return new QTableWidgetItem(displayText(a) + QStringLiteral("<>") + displayText(b), 0);
}

QTableWidgetItem *CWebreportDataTableWidget::createContentDetailItem(int a, int b, const std::string &sa,
                                                                     const std::string &sb)
{
    QString text;
    if (a != 0 && b != 0)
        text = displayText(sa) + QStringLiteral("<>") + displayText(sb);
    else if (a != 0)
        text = displayText(sa);
    else if (b != 0)
        text = displayText(sb);
    return new QTableWidgetItem(text, 0);
}

QTableWidgetItem *CWebreportDataTableWidget::createCallDetailItem(const std::string &value,
                                                                  const std::string &duration)
{
    return new QTableWidgetItem(tr("Duration") + QLatin1Char(' ') + displayText(duration) + QLatin1Char(' ')
                                    + displayText(value),
                                0);
}

QTableWidgetItem *CWebreportDataTableWidget::createDelayItem(const std::string &value)
{
    return new QTableWidgetItem(tr("Delay") + QLatin1Char(' ') + displayText(value), 0);
}

QTableWidgetItem *CWebreportDataTableWidget::createDownloadJitterItem(const std::string &value)
{
    return new QTableWidgetItem(tr("Download jitter") + QLatin1Char(' ') + displayText(value), 0);
}

QTableWidgetItem *CWebreportDataTableWidget::createDownloadPacketLostItem(const std::string &value)
{
    return new QTableWidgetItem(tr("Download packet lost") + QLatin1Char(' ') + displayText(value), 0);
}

QTableWidgetItem *CWebreportDataTableWidget::createUploadJitterItem(const std::string &value)
{
    return new QTableWidgetItem(tr("Upload jitter") + QLatin1Char(' ') + displayText(value), 0);
}

QTableWidgetItem *CWebreportDataTableWidget::createUploadPacketLostItem(const std::string &value)
{
    return new QTableWidgetItem(tr("Upload packet lost") + QLatin1Char(' ') + displayText(value), 0);
}
