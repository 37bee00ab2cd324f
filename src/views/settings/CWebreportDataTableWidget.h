#pragma once

#include "engine/RJTypes.h"

#include <QObject>
#include <QString>

#include <string>

class QLabel;
class QTableWidget;
class QTableWidgetItem;

// Turns a network diagnosis into the rows of the Network Report table and of
// its details table. One process-wide instance; it keeps nothing between
// calls. Every cell it makes is new and owned by whoever puts it into a table.
// GUI thread only.
class CWebreportDataTableWidget : public QObject
{
    Q_OBJECT
public:
    static CWebreportDataTableWidget *getInstance();

    // Report table of the settings page.
    void initReportTable(QTableWidget *table);
    void updateReportTableDpi(QTableWidget *table, double scale);
    // Rebuilds the table. page: 0 no report, 1 report (written only when a
    // table is given); showMakeCallPrompt: the record has no call item
    // (written only when there is a login item); networkOk: no row is bad.
    void fillReportTable(QTableWidget *table, rj::engine::RJDiag diag, int *page, bool *showMakeCallPrompt,
                         bool *networkOk);

    // Details table of the details dialog.
    void initDetailsTable(QTableWidget *table);
    void fillDetailsTable(QTableWidget *table, rj::engine::RJDiag diag);
    void updateDetailsTableDpi(QTableWidget *table, double scale);
    QLabel *createColumnLabel(const QString &text, bool head);

    // Status cells: the word of the code, green for a good verdict and red
    // otherwise, the verdict as a bool under Qt::UserRole.
    QTableWidgetItem *createStatusItem(int status);
    QTableWidgetItem *createStatusItem(int download, int upload);
    QTableWidgetItem *createContentStatusItem(int download, int upload);
    QTableWidgetItem *createLoginStatusItem(int status);
    QTableWidgetItem *createRegisterStatusItem(int status);
    QTableWidgetItem *createCallStatusItem(int status);

    // Detail cells of the details table.
    QTableWidgetItem *createDetailItem(const std::string &a, const std::string &b);
    QTableWidgetItem *createContentDetailItem(int a, int b, const std::string &sa, const std::string &sb);
    QTableWidgetItem *createCallDetailItem(const std::string &value, const std::string &duration);
    QTableWidgetItem *createDelayItem(const std::string &value);
    QTableWidgetItem *createDownloadJitterItem(const std::string &value);
    QTableWidgetItem *createDownloadPacketLostItem(const std::string &value);
    QTableWidgetItem *createUploadJitterItem(const std::string &value);
    QTableWidgetItem *createUploadPacketLostItem(const std::string &value);

    // Engine text as shown in a cell or label: UTF-8, cut to a length that
    // a cell can lay out (a runaway value must not stall the window).
    static QString displayText(const std::string &text);

private:
    CWebreportDataTableWidget() = default;

    enum class Cell { Plain, Login, Register, Call };
    QTableWidgetItem *makeStatusItem(int code, Cell cell);
};
