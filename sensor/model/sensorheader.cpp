#include "sensor/model/sensorheader.h"

#include "platform/appdir.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>

const char *const SensorHeader::FeatureNames[6] = {
    "SUPPORT_SENSOR_MODE_SEL", "SUPPORT_LOD_CAL",     "SUPPORT_RIPPLE",
    "SUPPORT_FIXLINE",         "SUPPORT_MOTION_SYNC", "SUPPORT_MOUSEPAD_CAL"};

QString SensorHeader::FilePath()
{
    return AppDir::filePath(QStringLiteral("driver_sensor.h"));
}

bool SensorHeader::ListsChip(const QString &list, const QString &chip)
{
    return !chip.isEmpty() && list.contains(chip);
}

namespace {

const QChar LineBreak(QLatin1Char('\n'));

QStringList tabPieces(const QString &word)
{
    return word.split(QLatin1Char('\t'), Qt::SkipEmptyParts);
}

QString withoutLineBreaks(QString text)
{
    return text.remove(LineBreak);
}

// A number that does not fit an int reads 0 like any other text that is not a number: a value
// the table cannot hold must not turn into a different one.
int number(const QString &text, int base)
{
    bool ok = false;
    const int value = text.toInt(&ok, base);
    return ok ? value : 0;
}

int featureOf(const QString &word)
{
    for (int k = 0; k < 6; ++k) {
        if (word.contains(QLatin1String(SensorHeader::FeatureNames[k])))
            return k;
    }
    return -1;
}

struct Reader
{
    SensorDefines defines;
    QVector<SensorHeaderProblem> *problems;

    void add(const QString &name, int value)
    {
        defines.DefineNames.append(name);
        defines.DefineValues.append(value);
    }

    void reject(int lineNumber, const QString &line, const char *reason)
    {
        // Only lines meant as definitions are worth a word: comments and blank lines are not.
        if (problems && line.trimmed().startsWith(QLatin1String("#define")))
            problems->append({lineNumber, QString::fromLatin1(reason)});
    }

    // `line` keeps its line break, except for a last line that has none.
    void read(int lineNumber, const QString &line)
    {
        const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (words.size() == 2) {
            const int feature = featureOf(words.at(1));
            if (feature >= 0) {
                const QStringList pieces = tabPieces(words.at(1));
                if (pieces.size() < 2)
                    return reject(lineNumber, line, "a feature line needs a tab before its chips");
                defines.SensorFeatureLists[feature] = withoutLineBreaks(pieces.at(1));
                return;
            }
            if (words.at(0) != QLatin1String("#define"))
                return reject(lineNumber, line, "not a definition");
            const QStringList pieces = tabPieces(words.at(1));
            if (pieces.size() < 2)
                return reject(lineNumber, line, "a definition needs a tab between name and value");
            if (!pieces.at(1).contains(LineBreak)) {
                return reject(lineNumber, line,
                              pieces.size() > 2 ? "more than a value after the name"
                                                : "the last line has no line break");
            }
            const QString value = withoutLineBreaks(pieces.at(1));
            add(pieces.at(0), number(value, value.contains(QLatin1String("0x")) ? 16 : 10));
            return;
        }
        if (words.size() == 3 && words.at(2).contains(QLatin1String("//"))) {
            const QStringList pieces = tabPieces(words.at(1));
            if (pieces.size() != 2)
                return reject(lineNumber, line, "a definition needs a tab between name and value");
            add(pieces.at(0), number(pieces.at(1), 10));
            return;
        }
        reject(lineNumber, line,
               "a definition is the name, a tab and the value (a comment after it has no blanks)");
    }
};

} // namespace

SensorDefines ReadSensorHeader(QIODevice *device, QVector<SensorHeaderProblem> *problems)
{
    Reader reader{SensorDefines(), problems};
    int lineNumber = 0;
    while (device && !device->atEnd()) {
        const QByteArray bytes = device->readLine();
        if (bytes.isEmpty())
            break;
        reader.read(++lineNumber, QString::fromUtf8(bytes));
    }
    return reader.defines;
}

SensorDefines LoadSensorHeader(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return SensorDefines();
    QVector<SensorHeaderProblem> problems;
    const SensorDefines defines = ReadSensorHeader(&file, &problems);
    const QByteArray name = QFileInfo(path).fileName().toLocal8Bit();
    for (const SensorHeaderProblem &problem : qAsConst(problems)) {
        std::fprintf(stderr, "%s:%d: line ignored: %s\n", name.constData(), problem.Line,
                     problem.Reason.toLocal8Bit().constData());
    }
    return defines;
}
