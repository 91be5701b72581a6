#include "macro/macrosync.h"
#include "tests/support/testmain.h"

namespace {

// What is pending for `name` on the mouse: "changed", "removed", "renamed to X" or "".
QString pendingFor(const QString &name)
{
    if (MacroSync::IsRemoved(name))
        return QStringLiteral("removed");
    if (const std::optional<QString> to = MacroSync::RenamedTo(name))
        return QStringLiteral("renamed to ") + *to;
    if (MacroSync::IsChanged(name))
        return QStringLiteral("changed");
    return QString();
}

} // namespace

// What the user did to macros while the mouse could not take it, as the mouse is to get it: under
// the names the mouse knows them by.
class TestMacroSync : public QObject
{
    Q_OBJECT
private slots:
    void init() { MacroSync::Clear(); }

    void pending_data()
    {
        QTest::addColumn<QStringList>("actions");  // "save A", "rename A B", "delete A", "took A"
        QTest::addColumn<QStringList>("expected"); // name=pending, for the names asked
        QTest::newRow("saved") << QStringList{"save A"} << QStringList{"A=changed", "B="};
        QTest::newRow("renamed twice")
            << QStringList{"rename A B", "rename B C"} << QStringList{"A=renamed to C", "B="};
        QTest::newRow("saved, then renamed")
            << QStringList{"save A", "rename A B"} << QStringList{"A=renamed to B", "B=changed"};
        QTest::newRow("renamed, then deleted")
            << QStringList{"rename A B", "delete B"} << QStringList{"A=removed", "B=removed"};
        QTest::newRow("renamed, a new one of the old name deleted")
            << QStringList{"rename A B", "save A", "delete A"}
            << QStringList{"A=renamed to B", "B="};
        QTest::newRow("deleted, then saved anew")
            << QStringList{"delete A", "save A"} << QStringList{"A=changed"};
        QTest::newRow("taken") << QStringList{"save A", "rename B C", "took A", "took B"}
                               << QStringList{"A=", "B=", "C="};
    }
    void pending()
    {
        QFETCH(QStringList, actions);
        QFETCH(QStringList, expected);
        for (const QString &action : actions) {
            const QStringList p = action.split(QLatin1Char(' '));
            if (p.at(0) == QLatin1String("save"))
                MacroSync::Changed(p.at(1));
            else if (p.at(0) == QLatin1String("rename"))
                MacroSync::Renamed(p.at(1), p.at(2));
            else if (p.at(0) == QLatin1String("delete"))
                MacroSync::Removed(p.at(1));
            else
                MacroSync::Taken(p.at(1));
        }
        for (const QString &line : expected) {
            const QString name = line.section(QLatin1Char('='), 0, 0);
            QCOMPARE(pendingFor(name), line.section(QLatin1Char('='), 1));
        }
        if (QTest::currentDataTag() == QLatin1String("taken"))
            QVERIFY(MacroSync::Names().isEmpty());
    }
};

ZR35_TEST_MAIN(TestMacroSync)
#include "tst_macrosync.moc"
