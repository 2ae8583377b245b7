#include "NumberConversion.h"
#include "tb/Script.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstring>
#include <string>

namespace {

std::string pascal(const unsigned char* s) { return std::string(reinterpret_cast<const char*>(s + 1), s[0]); }

void toPascal(const std::string& text, Str255 out) {
    out[0] = static_cast<unsigned char>(text.size());
    std::memcpy(out + 1, text.data(), text.size());
}

std::string written(double x, short precision = 13) {
    Str255 s;
    ConvertDoubleToString(x, s, precision);
    return pascal(s);
}

// Keeps every test on the C library's own locale unless it says otherwise.
class NumberConversion : public ::testing::Test {
protected:
    void SetUp() override {
        std::setlocale(LC_ALL, "C");
        tb::useLocaleNumberParts();
    }
    void TearDown() override {
        std::setlocale(LC_ALL, "C");
        tb::useLocaleNumberParts();
    }
};

TEST_F(NumberConversion, WritesFixedAndScientificShapes) {
    struct Case {
        double x;
        short precision;
        const char* text;
    } cases[] = {
        // The switch points: strictly below 0.001 and above 100000 are scientific.
        {0, 13, "0.0e+0"},
        {0.0005, 13, "5.0e-4"},
        {250000, 13, "2.5e+5"},
        {0.001, 13, "0.001"},
        {-0.001, 13, "-0.001"},
        {0.5, 13, "0.5"},
        {100000, 13, "100000"},
        {-100000, 13, "-100000"},
        {100000.5, 13, "1.000005e+5"},
        // Trailing zeros go, one digit stays before the separator.
        {0.1, 13, "0.1"},
        {3.5699456, 13, "3.5699456"},
        {1.0 / 3, 13, "0.3333333333333"},
        {2.0 / 3, 13, "0.6666666666667"},
        {1e300, 13, "1.0e+300"},
        {-1.5e-7, 13, "-1.5e-7"},
        {DBL_MAX, 13, "1.7976931348623e+308"},
        {5e-324, 13, "4.9406564584125e-324"},
        // Precision 0 has no separator; other precisions cut the fraction.
        {3.7, 0, "4"},
        {0.25, 0, "0"},
        {0, 0, "0e+0"},
        {250000, 0, "2e+5"},
        {3.14159265, 4, "3.1416"},
        {0.1, -1, "0.10000000000000001"},
        {-0.0004, 2, "-4.0e-4"},
    };
    for (const Case& c : cases) EXPECT_EQ(written(c.x, c.precision), c.text) << c.x;
}

TEST_F(NumberConversion, NonFiniteValuesAreWrittenAsWords) {
    EXPECT_EQ(written(INFINITY), "Inf");
    EXPECT_EQ(written(-INFINITY), "-Inf");
    EXPECT_EQ(written(NAN), "NaN");
    double x = 1;
    Str255 s;
    ConvertDoubleToString(INFINITY, s, 13);
    EXPECT_EQ(ConvertStringToDouble(s, &x, 13), 0);
    EXPECT_EQ(x, 1);
}

TEST_F(NumberConversion, ReadsNumbersInEitherShape) {
    struct Case {
        const char* text;
        short precision;
        double value;
    } cases[] = {
        {"0.5", 13, 0.5},      {"  2.5  ", 13, 2.5},   {"-3", 13, -3},
        {"+7", 13, 7},         {".5", 13, 0.5},         {"5.", 13, 5},
        {"1e-5", 13, 1e-5},    {"1.5e+300", 13, 1.5e300}, {"2.5E3", 13, 2500},
        {"0000001.5", 13, 1.5}, {"9999999.5", 13, 9999999.5},
        {"0.1234567890123", 13, 0.1234567890123},
        {"40000", 0, 40000},   {"1e+9", 0, 1e9},        {"-12", 0, -12},
        {"2.", 0, 2},
    };
    for (const Case& c : cases) {
        Str255 s;
        toPascal(c.text, s);
        double x = -999;
        EXPECT_EQ(ConvertStringToDouble(s, &x, c.precision), 1) << c.text;
        EXPECT_DOUBLE_EQ(x, c.value) << c.text;
    }
}

TEST_F(NumberConversion, RefusesWhatIsNoNumberOrDoesNotFit) {
    struct Case {
        const char* text;
        short precision;
    } cases[] = {
        {"", 13},        {"   ", 13},      {"-", 13},       {"+", 13},
        {".", 13},       {"-.", 13},       {"1.2.3", 13},   {"1..2", 13},
        {"abc", 13},     {"1a", 13},       {"a1", 13},      {"inf", 13},
        {"-inf", 13},    {"nan", 13},      {"Infinity", 13}, {"1e", 13},
        {"1e+", 13},     {"1e5e5", 13},    {"1,5", 13},     {"1 2", 13},
        {"1e999", 13},   {"-1e400", 13},   {"1e-400", 13},  {"1e1234", 13},
        // More digits than the patterns have places.
        {"12345678", 13}, {"0.12345678901234", 13}, {"1.23456789012345e5", 13},
        {"2.5", 0},       {"12345678", 0},
    };
    for (const Case& c : cases) {
        Str255 s;
        toPascal(c.text, s);
        double x = 42;
        EXPECT_EQ(ConvertStringToDouble(s, &x, c.precision), 0) << '"' << c.text << '"';
        EXPECT_EQ(x, 42) << c.text;
    }
}

TEST_F(NumberConversion, ReadsNoFurtherThanTheLengthByte) {
    // "0.5" followed by bytes that would spoil the number if they were read.
    unsigned char s[] = {3, '0', '.', '5', '9', 'x', 'e'};
    double x = 0;
    EXPECT_EQ(ConvertStringToDouble(s, &x, 13), 1);
    EXPECT_EQ(x, 0.5);
}

TEST_F(NumberConversion, AwkwardDoublesRoundTrip) {
    const double values[] = {0.1, 1.0 / 3, M_PI, -2.6, 1e-7, 123456.789, 0.00123,
                             99999.99999999999, 6.02214076e23, -1.602176634e-19, 5e-324,
                             DBL_MAX, -DBL_MIN, 0.0009999999999};
    for (double v : values) {
        Str255 s;
        ConvertDoubleToString(v, s, 13);
        double back = 0;
        ASSERT_EQ(ConvertStringToDouble(s, &back, 13), 1) << pascal(s);
        double scale = std::fabs(v) < 0.001 || std::fabs(v) > 100000
                           ? std::pow(10.0, std::floor(std::log10(std::fabs(v))))
                           : 1.0;
        EXPECT_NEAR(back, v, 0.51e-13 * scale) << pascal(s);
        // Written again, the value read back gives the same text.
        EXPECT_EQ(written(back), pascal(s));
    }
}

TEST_F(NumberConversion, CanonicalPatterns) {
    // The patterns show through what they accept: exactly their number of places.
    struct Case {
        short precision;
        const char* fits;
        const char* tooLong;
    } cases[] = {
        {13, "1234567.1234567890123", "1234567.12345678901234"},
        {1, "1234567.5", "1.25"},
        {0, "1234567", "12345678"},
        {13, "1.1234567890123e+123", "1.1234567890123e+1234"},
    };
    for (const Case& c : cases) {
        Str255 s;
        double x = 0;
        toPascal(c.fits, s);
        EXPECT_EQ(ConvertStringToDouble(s, &x, c.precision), 1) << c.fits;
        toPascal(c.tooLong, s);
        EXPECT_EQ(ConvertStringToDouble(s, &x, c.precision), 0) << c.tooLong;
    }
}

TEST_F(NumberConversion, SeparatorFollowsInjectedNumberParts) {
    NumberParts parts = tb::localeNumberParts();
    parts.decimalSeparator = ',';
    parts.groupSeparator = '.';
    tb::useNumberParts(parts);
    EXPECT_EQ(written(0.5), "0,5");
    EXPECT_EQ(written(-1.25e-5), "-1,25e-5");
    Str255 s;
    double x = 0;
    toPascal("2,5", s);
    EXPECT_EQ(ConvertStringToDouble(s, &x, 13), 1);
    EXPECT_EQ(x, 2.5);
    toPascal("2.5", s); // the group separator is no decimal point
    x = 7;
    EXPECT_EQ(ConvertStringToDouble(s, &x, 13), 0);
    EXPECT_EQ(x, 7);
}

TEST_F(NumberConversion, WithoutANumberPartsTableThePlainPointStands) {
    tb::useNoNumberParts();
    EXPECT_EQ(written(0.5), "0.5");
    Str255 s;
    double x = 0;
    toPascal("0.75", s);
    EXPECT_EQ(ConvertStringToDouble(s, &x, 13), 1);
    EXPECT_EQ(x, 0.75);
}

TEST_F(NumberConversion, SeparatorFollowsTheCurrentLocale) {
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
        GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed";
    EXPECT_EQ(tb::localeNumberParts().decimalSeparator, ',');
    EXPECT_EQ(written(3.5699456), "3,5699456");
    EXPECT_EQ(written(0.0005), "5,0e-4");
    Str255 s;
    double x = 0;
    toPascal("0,125", s);
    EXPECT_EQ(ConvertStringToDouble(s, &x, 13), 1);
    EXPECT_EQ(x, 0.125);
    std::setlocale(LC_NUMERIC, "C");
    EXPECT_EQ(written(3.5699456), "3.5699456");
}

TEST(Extended80, HoldsDoublesExactly) {
    for (double v : {0.0, -0.0, 1.0, -2.5, 0.1, 5e-324, DBL_MAX, -DBL_MIN, 1e-300}) {
        extended80 x;
        dtox80(&v, &x);
        double back = x80tod(&x);
        EXPECT_EQ(back, v);
        EXPECT_EQ(std::signbit(back), std::signbit(v));
    }
    double one = 1.0;
    extended80 x;
    dtox80(&one, &x);
    EXPECT_EQ(x.exp, 0x3FFF); // the classic layout: biased exponent, explicit integer bit
    EXPECT_EQ(x.man[0], 0x8000);
    double inf = INFINITY;
    dtox80(&inf, &x);
    EXPECT_TRUE(std::isinf(x80tod(&x)));
}

TEST(IntegerText, NumToStringAndBack) {
    struct Case {
        long value;
        const char* text;
    } cases[] = {{0, "0"}, {-25536, "-25536"}, {2147483647, "2147483647"}, {-7, "-7"}};
    for (const Case& c : cases) {
        Str255 s;
        NumToString(c.value, s);
        EXPECT_EQ(pascal(s), c.text);
        long back = 1;
        StringToNum(s, &back);
        EXPECT_EQ(back, c.value);
    }
    Str255 s;
    long v = 0;
    toPascal("99999999999999999999999", s);
    StringToNum(s, &v);
    EXPECT_EQ(v, LONG_MAX);
}

} // namespace
