#include "cases.h"

#include <QFile>

#include <cmath>
#include <fstream>
#include <locale.h>
#include <regex>
#include <stdlib.h>

namespace mensurio::testing {

QList<QByteArray> dataLines(const char* name)
{
    QFile file(QStringLiteral(MENSURIO_TEST_DATA "/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", name);
    return file.readAll().split('\n');
}

QList<QStringList> readCases(const char* name)
{
    QList<QStringList> cases;
    for (const QByteArray& line : dataLines(qPrintable(QStringLiteral("cases/%1").arg(name)))) {
        if (line.startsWith('#') || line.isEmpty())
            continue;
        QStringList& fields = cases.emplace_back();
        for (QByteArray field : line.split('\t')) {
            field.replace("\\t", "\t").replace("\\n", "\n");
            for (qsizetype at; (at = field.indexOf("\\x")) >= 0;)
                field.replace(at, 4, QByteArray::fromHex(field.mid(at + 2, 2)));
            fields << QString::fromUtf8(field);
        }
    }
    return cases;
}

void addCases(const char* name)
{
    QTest::addColumn<QStringList>("fields");
    int line = 0;
    for (const QStringList& fields : readCases(name))
        QTest::addRow("%d: %s", ++line, qPrintable(fields.first())) << fields;
}

QStringList expectedBoxes(const QString& boxes)
{
    QStringList expected = boxes.split(';');
    for (QString& box : expected)
        box = box == "E"   ? "M:Enter a value.@Calvero1"
              : box == "X" ? "X:Overflow: the result is too large to show.@Calvero1"
                           : box;
    return expected;
}

static QString state(const QString& formula, double factor, double answer)
{
    return formula + '@' + QString::number(factor, 'g', QLocale::FloatingPointShortest) + '@' +
           QString::number(answer, 'g', QLocale::FloatingPointShortest);
}

QString state(const ConversionFlow& flow)
{
    return state(QString::fromStdString(flow.formula), flow.factor, flow.answer);
}

QString state(const QString& written)
{
    const QStringList parts = written.split('@');
    return state(parts.value(0), parts.value(1).toDouble(), parts.value(2).toDouble());
}

// Blanks, sign, digits grouped in threes or not, one point, an exponent, at least one digit
// before the exponent, and no overflow.
bool followsNumericRules(const std::string& text)
{
    static const std::regex rules(
        R"([ \t]*[+-]?([0-9]{1,3}(,[0-9]{3})+|[0-9]*)(\.[0-9]*)?([eE][+-]?[0-9]+)?[ \t]*)");
    static const std::regex hasMantissaDigit(R"([ \t]*[+-]?[0-9,]*\.?[0-9].*)");
    if (!std::regex_match(text, rules) || !std::regex_match(text, hasMantissaDigit))
        return false;
    std::string plain = text;
    std::erase(plain, ',');
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t{}); // whatever the user's
    return std::isfinite(strtod_l(plain.c_str(), nullptr, c));
}

long residentKiB()
{
#if defined(__SANITIZE_ADDRESS__)
    return 0;
#else
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    qFatal("no VmRSS");
#endif
}

} // namespace mensurio::testing
