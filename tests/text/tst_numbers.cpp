#include "text/ExperienceFormat.h"
#include "text/Numbers.h"
#include "text/TerminalLine.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace lapidor;

namespace {
constexpr double infinity = std::numeric_limits<double>::infinity();
const double notANumber = std::numeric_limits<double>::quiet_NaN(); // marks "no value" in the tables

std::string text(const QString& s)
{
    return s.toStdString();
}
} // namespace

class NumbersTest : public QObject {
    Q_OBJECT

private slots:
    void leadingNumber_data();
    void leadingNumber();
    void wholeNumber_data();
    void wholeNumber();
    void readInt16_data();
    void readInt16();
    void formatExperience_data();
    void formatExperience();
    void terminalLine_data();
    void terminalLine();
};

void NumbersTest::leadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");

    // clang-format off
    QTest::newRow("plain digits") << "12000" << 12000.0;
    QTest::newRow("blank inside the number") << "12 000" << 12000.0;
    QTest::newRow("letters after the number") << "12000abc" << 12000.0;
    QTest::newRow("letters only") << "abc" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("tabs and line feeds skipped") << " \t\n-5\n0" << -50.0;
    QTest::newRow("blank after the sign") << "- 5" << -5.0;
    QTest::newRow("plus sign") << "+7" << 7.0;
    QTest::newRow("decimal part") << "12.75" << 12.75;
    QTest::newRow("second point stops") << "1.2.3" << 1.2;
    QTest::newRow("point first") << ".5" << 0.5;
    QTest::newRow("exponent E") << "1.5E3" << 1500.0;
    QTest::newRow("exponent D") << "1d2" << 100.0;
    QTest::newRow("negative exponent") << "25e-1" << 2.5;
    QTest::newRow("exponent without digits") << "1E" << 1.0;
    QTest::newRow("exponent sign without digits") << "1e+x" << 1.0;
    QTest::newRow("carriage return is not skipped") << "\r5" << 0.0;
    QTest::newRow("sign alone") << "-" << 0.0;
    QTest::newRow("grouping separator stops") << "1,000" << 1.0;
    QTest::newRow("hexadecimal prefix") << "0x10" << 0.0;
    QTest::newRow("nan is not a number") << "nan" << 0.0;
    QTest::newRow("too large") << "1e400" << infinity;
    QTest::newRow("too large negative") << "-1e400" << -infinity;
    QTest::newRow("too small") << "1e-400" << 0.0;
    QTest::newRow("huge exponent on tiny mantissa") << "0.0001e99999999999999999999" << infinity;
    QTest::newRow("four hundred digits") << QString(400, '9') << infinity;
    // clang-format on
}

void NumbersTest::leadingNumber()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(lapidor::leadingNumber(::text(text)), value);
}

void NumbersTest::wholeNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");

    // clang-format off
    QTest::newRow("digits") << "42" << 42.0;
    QTest::newRow("blanks around") << " \t42  " << 42.0;
    QTest::newRow("leading zeros") << "0050" << 50.0;
    QTest::newRow("sign") << "-3" << -3.0;
    QTest::newRow("plus") << "+3" << 3.0;
    QTest::newRow("decimal") << "1.5" << 1.5;
    QTest::newRow("trailing point") << "1." << 1.0;
    QTest::newRow("leading point") << ".5" << 0.5;
    QTest::newRow("exponent") << "1e3" << 1000.0;
    QTest::newRow("largest experience") << "248292513235" << 248292513235.0;
    QTest::newRow("too large reads as infinity") << "1e400" << infinity;
    QTest::newRow("too large negative") << "-1e400" << -infinity;
    QTest::newRow("four hundred digits") << QString(400, '9') << infinity;
    QTest::newRow("empty") << "" << notANumber;
    QTest::newRow("blanks only") << "  " << notANumber;
    QTest::newRow("blank inside") << "4 2" << notANumber;
    QTest::newRow("letters after") << "12a" << notANumber;
    QTest::newRow("point alone") << "." << notANumber;
    QTest::newRow("exponent without digits") << "1E" << notANumber;
    QTest::newRow("hexadecimal") << "0x10" << notANumber;
    QTest::newRow("grouping separator") << "1,000" << notANumber;
    QTest::newRow("nan") << "nan" << notANumber;
    QTest::newRow("inf") << "inf" << notANumber;
    QTest::newRow("line feed after") << "5\n" << notANumber;
    QTest::newRow("Unicode digits") << QString::fromUtf8("\u0661\u0662") << notANumber;
    // clang-format on
}

void NumbersTest::wholeNumber()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    const auto read = lapidor::wholeNumber(::text(text));
    if (std::isnan(value)) {
        QVERIFY2(!read, qPrintable(QString::number(read.value_or(0))));
        return;
    }
    QVERIFY(read);
    QCOMPARE(*read, value);
}

void NumbersTest::readInt16_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("value");

    // clang-format off
    QTest::newRow("plain") << "200" << true << 200;
    QTest::newRow("leading zero") << "03" << true << 3;
    QTest::newRow("half rounds to even below") << "2.5" << true << 2;
    QTest::newRow("half rounds to even above") << "3.5" << true << 4;
    QTest::newRow("negative half") << "-2.5" << true << -2;
    QTest::newRow("largest") << "32767" << true << 32767;
    QTest::newRow("smallest") << "-32768" << true << -32768;
    QTest::newRow("rounds down into range") << "-32768.5" << true << -32768;
    QTest::newRow("rounds up out of range") << "32767.5" << false << 0;
    QTest::newRow("too large") << "40200" << false << 0;
    QTest::newRow("too small") << "-40000" << false << 0;
    QTest::newRow("exponent too large") << "1e10" << false << 0;
    QTest::newRow("beyond a double") << "1e400" << false << 0;
    QTest::newRow("not a number") << "abc" << false << 0;
    // clang-format on
}

void NumbersTest::readInt16()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(int, value);
    const auto read = lapidor::readInt16(::text(text));
    QCOMPARE(read.has_value(), valid);
    if (valid)
        QCOMPARE(int(*read), value);
}

void NumbersTest::formatExperience_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("text");

    // clang-format off
    QTest::newRow("zero") << 0.0 << "." << "0";
    QTest::newRow("negative zero") << -0.0 << "." << "0";
    QTest::newRow("beyond 32 bits, no exponent") << 252492093235.0 << "." << "252492093235";
    QTest::newRow("largest plain whole") << 999999999999999.0 << "." << "999999999999999";
    QTest::newRow("negative whole") << -5.0 << "." << "-5";
    QTest::newRow("fraction with locale separator") << 100.5 << "," << "100,5";
    QTest::newRow("fraction rounded to 15 digits") << 0.1 + 0.2 << "." << "0.3";
    QTest::newRow("long fraction") << 45000.123456789012 << "." << "45000.123456789";
    QTest::newRow("10^15 in exponent form") << 1e15 << "." << "1E+15";
    // clang-format on
}

void NumbersTest::formatExperience()
{
    QFETCH(double, value);
    QFETCH(QString, separator);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(lapidor::formatExperience(value, separator.toStdString())), text);
}

// What a line on stderr shows of outside bytes.
void NumbersTest::terminalLine_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("line");

    // clang-format off
    QTest::newRow("plain ASCII stays") << QByteArray("/home/ann/.config: Permission denied") << QByteArray("/home/ann/.config: Permission denied");
    QTest::newRow("line break and carriage return") << QByteArray("a\nLapidor saved.\r") << QByteArray("a\\x0aLapidor saved.\\x0d");
    QTest::newRow("escape, bell, NUL, DEL") << QByteArray("\x1b[31m\a\0\x7f", 8) << QByteArray("\\x1b[31m\\x07\\x00\\x7f");
    QTest::newRow("backslash, so that no escape is ambiguous") << QByteArray("C:\\x41") << QByteArray("C:\\x5cx41");
    QTest::newRow("C1 controls, both bytes") << QByteArray("\xc2\x85\xc2\x9b") << QByteArray("\\xc2\\x85\\xc2\\x9b");
    QTest::newRow("other UTF-8 stays") << QByteArray("caf\xc3\xa9 \xc2\xa0\xe2\x80\xa8 \xf0\x9f\x92\x8e") << QByteArray("caf\xc3\xa9 \xc2\xa0\xe2\x80\xa8 \xf0\x9f\x92\x8e");
    QTest::newRow("bytes that are not UTF-8") << QByteArray("caf\xe9 \xff\xfe \xc3") << QByteArray("caf\\xe9 \\xff\\xfe \\xc3");
    QTest::newRow("overlong form") << QByteArray("\xc0\xaf") << QByteArray("\\xc0\\xaf");
    // clang-format on
}

void NumbersTest::terminalLine()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, line);
    QCOMPARE(QByteArray::fromStdString(lapidor::terminalLine(bytes.toStdString())), line);
}

QTEST_APPLESS_MAIN(NumbersTest)
#include "tst_numbers.moc"
