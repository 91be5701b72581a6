// The device tiles of the home page: built from HomeDeviceList after every home enumeration,
// three to a page, with the page arrows.
#include "core/connectionkind.h"
#include "core/devicediscovery.h"
#include "shell/dialogchange.h"
#include "shell/dialogs/noticeframe.h"
#include "shell/dialogs/questiondialogb.h"
#include "shell/mytoolbuttonenter.h"

#include <QCheckBox>
#include <QLabel>
#include <QMap>
#include <QPair>
#include <QStackedWidget>
#include <QToolButton>

namespace {

// Where a tile's widgets lie on its page.
struct TileSpot
{
    QPoint button;
    QPoint icons; // the offline and the connection icon share the spot
    QPoint badge;
};

const TileSpot FullPage[3] = {{{0, 0}, {225, 20}, {7, 10}},
                              {{300, 0}, {525, 20}, {307, 10}},
                              {{600, 0}, {825, 20}, {607, 10}}};
const TileSpot OneTilePage[1] = {{{305, 0}, {530, 20}, {312, 10}}};
// The second tile's icons sit 220 pixels right of its button, not 225: the stored layout.
const TileSpot TwoTilePage[2] = {{{135, 0}, {360, 20}, {142, 10}},
                                 {{445, 0}, {665, 20}, {452, 10}}};

const TileSpot *spotsFor(int tileCount)
{
    return tileCount == 1 ? OneTilePage : tileCount == 2 ? TwoTilePage : FullPage;
}

QString iconStyle(const QString &picture)
{
    return QStringLiteral(
               "QLabel{border:0px;background-position:center;background-repeat:no-repeat;"
               "background-image: url(%1);color: rgb(255, 255, 255);}")
        .arg(picture);
}

QString tileStyle(const QString &picture)
{
    return QStringLiteral("QToolButton{border:0px;background-position:center;"
                          "background-repeat:no-repeat;background-image: url(%1);"
                          "color: rgb(255, 255, 255);}")
        .arg(picture);
}

QLabel *addIcon(QWidget *page, const QString &name, const QPoint &at, const QString &picture)
{
    auto *icon = new QLabel(page);
    icon->setObjectName(name);
    icon->setFixedSize(32, 32);
    icon->move(at);
    icon->setFocusPolicy(Qt::NoFocus);
    icon->setStyleSheet(iconStyle(picture));
    icon->hide();
    return icon;
}

} // namespace

void DialogChange::setPromptShown(bool promptShown)
{
    ui->label_2->setVisible(promptShown);
    ui->label_3->setVisible(!promptShown);
    if (promptShown) {
        ui->LeftButton->hide();
        ui->RightButton->hide();
    }
}

void DialogChange::clearTiles()
{
    TileButtons.clear();
    OfflineLabels.clear();
    ConnectionIcons.clear();
    RateBadges.clear();
    // The widgets go with their pages. Deferred: a rebuild may run inside a dialog that a tile's
    // own click opened.
    while (ui->stackedWidget->count() > 0) {
        QWidget *page = ui->stackedWidget->widget(0);
        ui->stackedWidget->removeWidget(page);
        page->hide();
        page->deleteLater();
    }
}

void DialogChange::BuildDeviceTiles()
{
    clearTiles();
    DeviceLists &lists = *DeviceLists::instance();
    const QList<DeviceAllInfo> listed = lists.HomeDeviceList.get();
    if (listed.isEmpty()) {
        setPromptShown(true);
        return;
    }

    // Counted per connection group and model; the unrecognised devices have a model index of
    // their own, so two of them in one group are identical too.
    QMap<QPair<int, int>, int> counts;
    for (int i = 0; i < listed.size(); ++i) {
        const DeviceAllInfo &entry = listed.at(i);
        ++counts[qMakePair(ConnectionGroup(entry.Kind, entry.Wired != 0), entry.DriveIndex)];
        RefreshDeviceState(i);
    }
    bool duplicate = false;
    for (int count : qAsConst(counts))
        duplicate = duplicate || count > 1;
    if (duplicate) {
        setPromptShown(true);
        QuestiondialogB warning;
        NoticeFrame::place(&warning, this, NoticeOffset::QuestiondialogB);
        // A hot-plug change while the warning is open rebuilds inside its loop; this build is
        // over and touches nothing afterwards.
        warning.exec();
        return;
    }

    // A mouse on its cable shows once: the entries of its receiver go.
    for (int model = 0; model < ModelCount; ++model) {
        if (counts.value(qMakePair(0, model)) != 1)
            continue;
        lists.HomeDeviceList.with([model](QList<DeviceAllInfo> &list) {
            for (int i = list.size() - 1; i >= 0; --i) {
                if (list.at(i).DriveIndex == model && list.at(i).Wired == 0)
                    list.removeAt(i);
            }
        });
    }

    setPromptShown(false);
    const int n = lists.HomeDeviceList.get().size();
    const int fullPages = n / 3;
    for (int page = 0; page < fullPages; ++page)
        addTilePage(3 * page, 3);
    if (n % 3 != 0)
        addTilePage(3 * fullPages, n % 3);

    ui->stackedWidget->setCurrentIndex(0);
    ui->RightButton->setVisible(n > 3);
    ui->LeftButton->hide();

    for (mytoolButtonEnter *button : qAsConst(TileButtons)) {
        UpdateDeviceTile(mytoolButtonEnter::TileNumber(button->objectName()));
        connect(button, SIGNAL(clicked()), this, SLOT(slotButtonClicked()));
    }
}

void DialogChange::addTilePage(int firstTile, int tileCount)
{
    const QList<DeviceAllInfo> listed = DeviceLists::instance()->HomeDeviceList.get();
    const TileSpot *spots = spotsFor(tileCount);
    auto *page = new QWidget;
    const QString tip = OfflineTipFirst + QLatin1Char('\n') + OfflineTipSecond;
    for (int t = 0; t < tileCount; ++t) {
        const int number = firstTile + t;
        const DeviceAllInfo &entry = listed.at(number);
        auto *button = new mytoolButtonEnter(page);
        button->setObjectName(QStringLiteral("btn%1").arg(number));
        button->setFixedSize(284, 360);
        button->move(spots[t].button);
        button->setFocusPolicy(Qt::NoFocus);
        // The tile starts with the look its refresh below will give it (the state was read just
        // before): the page is polished as it is added to the stack, and a first look of
        // "offline" would decode that picture only to replace it at once and keep it cached.
        const bool unknown = entry.DriveIndex >= ModelCount || entry.DriveIndex < 0;
        button->setStyleSheet(
            tileStyle(HomePicturePath + (unknown             ? QStringLiteral("Unknow.png")
                                         : entry.Online == 1 ? QStringLiteral("OnLine0.png")
                                                             : QStringLiteral("DisOnlin0.png"))));
        TileButtons.append(button);

        QLabel *offline = addIcon(page, QStringLiteral("label%1").arg(number), spots[t].icons,
                                  HomePicturePath + QStringLiteral("DisOnline.png"));
        offline->setToolTip(tip);
        offline->setFont(ui->NoApear->font());
        OfflineLabels.append(offline);
        ConnectionIcons.append(
            addIcon(page, QStringLiteral("UsbWifi%1").arg(number), spots[t].icons,
                    HomePicturePath + (entry.Wired ? QStringLiteral("OnLineUsb.png")
                                                   : QStringLiteral("OnLineWifi.png"))));
    }
    for (int t = 0; t < tileCount; ++t) {
        const QString picture = RateBadge(listed.at(firstTile + t).Kind);
        if (picture.isEmpty())
            continue;
        auto *badge = new QLabel(page);
        badge->setFixedSize(42, 26);
        badge->move(spots[t].badge);
        badge->setFocusPolicy(Qt::NoFocus);
        badge->setStyleSheet(
            QStringLiteral("QLabel{background-image: url(%1);}").arg(HomePicturePath + picture));
        RateBadges.append(badge);
    }
    ui->stackedWidget->addWidget(page);
}

void DialogChange::styleTile(int index, TileLook look)
{
    if (index < 0 || index >= TileButtons.size())
        return;
    QString picture = QStringLiteral("Unknow.png");
    if (look == TileLook::Online)
        picture = QStringLiteral("OnLine0.png");
    else if (look == TileLook::Offline)
        picture = QStringLiteral("DisOnlin0.png");
    TileButtons.at(index)->setStyleSheet(tileStyle(HomePicturePath + picture));
    OfflineLabels.at(index)->setVisible(look == TileLook::Offline);
    ConnectionIcons.at(index)->setVisible(look != TileLook::Offline);
}

void DialogChange::on_RightButton_clicked()
{
    setPromptShown(false);
    const int current = ui->stackedWidget->currentIndex();
    const int pages = ui->stackedWidget->count();
    if (current + 1 >= pages)
        return;
    if (current == pages - 2) {
        ui->LeftButton->show();
        ui->RightButton->hide();
    }
    ui->stackedWidget->setCurrentIndex(current + 1);
}

void DialogChange::on_LeftButton_clicked()
{
    setPromptShown(false);
    const int current = ui->stackedWidget->currentIndex();
    if (current <= 0)
        return;
    if (current == 1) {
        ui->LeftButton->hide();
        ui->RightButton->show();
    }
    ui->stackedWidget->setCurrentIndex(current - 1);
}
