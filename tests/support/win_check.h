// A small test runner for the Windows test programs, with the GoogleTest spelling of the few
// macros they use. (GoogleTest itself needs std::mutex, which MinGW's win32 thread model lacks.)
// Each program prints one line per test and a summary, and exits with 1 if anything failed.
// An argument runs only the tests whose name contains it.
#pragma once

#include <cstdio>
#include <cstring>
#include <functional>
#include <sstream>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

namespace wavoro::check {

struct TestCase {
    std::string name;
    std::function<void()> run;
};

inline std::vector<TestCase>& registry() {
    static std::vector<TestCase> tests;
    return tests;
}

inline int& failures() {
    static int n = 0;
    return n;
}

struct Registrar {
    Registrar(const char* name, std::function<void()> run) {
        registry().push_back({name, std::move(run)});
    }
};

// Printing of the values in a failure message.
inline void describe(std::ostream& out, const std::monostate&) {
    out << "none";
}
inline void describe(std::ostream& out, bool value) {
    out << (value ? "true" : "false");
}
inline void describe(std::ostream& out, const std::string& value) {
    out << '"' << value << '"';
}
inline void describe(std::ostream& out, std::nullptr_t) {
    out << "nullptr";
}

template <typename T>
void describe(std::ostream& out, const T& value) {
    if constexpr (requires { out << value; }) {
        out << value;
    } else if constexpr (requires {
                             value.index();
                             std::visit([](const auto&) {}, value);
                         }) {
        std::visit([&out](const auto& v) { describe(out, v); }, value);
    } else if constexpr (requires {
                             value.begin();
                             value.end();
                         }) {
        out << "{";
        for (const auto& v : value) {
            describe(out, v);
            out << " ";
        }
        out << "}";
    } else if constexpr (std::is_enum_v<T>) {
        out << static_cast<long long>(value);
    } else {
        out << "(value)";
    }
}

// Collects a failure's message and prints it when the statement ends.
class Failure {
public:
    Failure(const char* file, int line, std::string what) {
        out_ << file << ":" << line << ": " << what;
        ++failures();
    }
    ~Failure() { std::printf("  FAILED %s\n", out_.str().c_str()); }
    Failure(const Failure&) = delete;
    Failure& operator=(const Failure&) = delete;

    template <typename T>
    Failure& operator<<(const T& value) {
        out_ << " ";
        out_ << value;
        return *this;
    }

private:
    std::ostringstream out_;
};

// Turns `Voidify() = failure << ...` into a void expression for ASSERT's return.
struct Voidify {
    void operator=(const Failure&) const {}
};

template <typename A, typename B>
std::string comparison(const char* expression, const A& a, const B& b) {
    std::ostringstream out;
    out << expression << "  (";
    describe(out, a);
    out << " vs ";
    describe(out, b);
    out << ")";
    return out.str();
}

inline int runAll(int argc, char** argv) {
    const char* filter = argc > 1 ? argv[1] : nullptr;
    int ran = 0;
    int failedTests = 0;
    for (const TestCase& test : registry()) {
        if (filter != nullptr && test.name.find(filter) == std::string::npos) {
            continue;
        }
        const int before = failures();
        std::printf("[ RUN  ] %s\n", test.name.c_str());
        std::fflush(stdout);
        test.run();
        const bool ok = failures() == before;
        std::printf("[ %s ] %s\n", ok ? " OK " : "FAIL", test.name.c_str());
        std::fflush(stdout);
        ++ran;
        failedTests += ok ? 0 : 1;
    }
    std::printf("%d tests, %d failed\n", ran, failedTests);
    return failedTests == 0 && ran > 0 ? 0 : 1;
}

} // namespace wavoro::check

#define WAVORO_EXPECT(condition, what)                                                             \
    if (condition) {                                                                               \
    } else                                                                                         \
        ::wavoro::check::Failure(__FILE__, __LINE__, what)

#define EXPECT_TRUE(c) WAVORO_EXPECT(static_cast<bool>(c), "expected true: " #c)
#define EXPECT_FALSE(c) WAVORO_EXPECT(!static_cast<bool>(c), "expected false: " #c)
#define EXPECT_EQ(a, b) WAVORO_EXPECT((a) == (b), ::wavoro::check::comparison(#a " == " #b, a, b))
#define EXPECT_NE(a, b) WAVORO_EXPECT((a) != (b), ::wavoro::check::comparison(#a " != " #b, a, b))
#define EXPECT_GT(a, b) WAVORO_EXPECT((a) > (b), ::wavoro::check::comparison(#a " > " #b, a, b))
#define EXPECT_LT(a, b) WAVORO_EXPECT((a) < (b), ::wavoro::check::comparison(#a " < " #b, a, b))
#define EXPECT_STREQ(a, b)                                                                         \
    WAVORO_EXPECT(std::strcmp((a), (b)) == 0,                                                      \
                  ::wavoro::check::comparison(#a " == " #b, std::string(a), std::string(b)))
#define EXPECT_STRCASEEQ(a, b)                                                                     \
    WAVORO_EXPECT(_stricmp((a), (b)) == 0,                                                         \
                  ::wavoro::check::comparison(#a " == " #b, std::string(a), std::string(b)))
#define ADD_FAILURE() ::wavoro::check::Failure(__FILE__, __LINE__, "failure")

// A failed ASSERT returns from the test function after its message.
#define WAVORO_ASSERT(condition, what)                                                             \
    if (condition) {                                                                               \
    } else                                                                                         \
        return ::wavoro::check::Voidify() = ::wavoro::check::Failure(__FILE__, __LINE__, what)
#define ASSERT_TRUE(c) WAVORO_ASSERT(static_cast<bool>(c), "expected true: " #c)
#define ASSERT_FALSE(c) WAVORO_ASSERT(!static_cast<bool>(c), "expected false: " #c)
#define ASSERT_EQ(a, b) WAVORO_ASSERT((a) == (b), ::wavoro::check::comparison(#a " == " #b, a, b))
#define ASSERT_NE(a, b) WAVORO_ASSERT((a) != (b), ::wavoro::check::comparison(#a " != " #b, a, b))
#define ASSERT_GT(a, b) WAVORO_ASSERT((a) > (b), ::wavoro::check::comparison(#a " > " #b, a, b))

// TEST(Suite, Name) { ... } and TEST_F(Fixture, Name) { ... } with SetUp/TearDown.
#define TEST(suite, name)                                                                          \
    static void suite##_##name();                                                                  \
    static const ::wavoro::check::Registrar suite##_##name##_registrar(#suite "." #name,           \
                                                                       suite##_##name);            \
    static void suite##_##name()

#define TEST_F(fixture, name)                                                                      \
    struct fixture##_##name : fixture {                                                            \
        void body();                                                                               \
    };                                                                                             \
    static const ::wavoro::check::Registrar fixture##_##name##_registrar(#fixture "." #name, [] {  \
        fixture##_##name test;                                                                     \
        test.SetUp();                                                                              \
        test.body();                                                                               \
        test.TearDown();                                                                           \
    });                                                                                            \
    void fixture##_##name::body()

namespace wavoro::check {
// Base of fixtures, as in GoogleTest.
struct Fixture {
    virtual ~Fixture() = default;
    virtual void SetUp() {}
    virtual void TearDown() {}
};
} // namespace wavoro::check
