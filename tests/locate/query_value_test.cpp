// The reading algorithm itself, on a registry whose answers the test scripts.
#include "locate/query_value.h"

#include <gtest/gtest.h>

#include <cstring>
#include <deque>

namespace orvendel {
namespace {

// Answers each query with the next scripted status, size and bytes, and counts keys.
class ScriptedRegistry : public RegistryApi {
public:
    struct Answer {
        std::int32_t status;
        std::uint32_t size;
        std::string bytes;
    };

    std::int32_t openStatus = 0;
    std::deque<Answer> answers;
    std::vector<std::uint32_t> offeredSizes;
    int openKeys = 0;
    int closes = 0;

    std::int32_t openKey(std::uint32_t, const std::string&, Key& key) override {
        if (openStatus == 0) {
            key = 42;
            ++openKeys;
        }
        return openStatus;
    }
    std::int32_t queryValue(Key key, const std::string&, char* buffer,
                            std::uint32_t& size) override {
        EXPECT_EQ(key, 42u);
        offeredSizes.push_back(size);
        if (answers.empty()) {
            ADD_FAILURE() << "more queries than scripted";
            return 1;
        }
        const Answer answer = answers.front();
        answers.pop_front();
        if (answer.status == 0 && !answer.bytes.empty()) {
            std::memcpy(buffer, answer.bytes.data(), answer.bytes.size());
        }
        size = answer.size;
        return answer.status;
    }
    std::int32_t closeKey(Key) override {
        --openKeys;
        ++closes;
        return 0;
    }
    std::uint32_t profileString(const std::string&, const std::string&, const std::string&, char*,
                                std::uint32_t, const std::string&) override {
        return 0;
    }
    std::uint32_t profileInt(const std::string&, const std::string&, std::int32_t,
                             const std::string&) override {
        return 0;
    }
};

TEST(QueryValue, TextIsQueriedWithAnEmptyBufferThenWithTheSizeAsked) {
    ScriptedRegistry registry;
    registry.answers = {{234, 6, ""}, {0, 6, std::string("hello\0", 6)}};
    RegistryValue out;
    EXPECT_EQ(queryValue(registry, "HKLM", "k", "v", "S", std::string("d"), out), 0);
    EXPECT_EQ(out, RegistryValue(std::string("hello")));
    EXPECT_EQ(registry.offeredSizes, (std::vector<std::uint32_t>{0, 6}));
    EXPECT_EQ(registry.closes, 1);
}

TEST(QueryValue, EveryFailingPathClosesTheKey) {
    const std::pair<const char*, std::deque<ScriptedRegistry::Answer>> scripts[] = {
        {"S", {{2, 0, ""}}}, {"S", {{234, 6, ""}, {234, 9, ""}}},
        {"S", {{5, 0, ""}}}, {"B", {{234, 4, ""}}},
        {"D", {{2, 0, ""}}}, {"X", {}},
    };
    for (const auto& [kind, answers] : scripts) {
        ScriptedRegistry registry;
        registry.answers = answers;
        RegistryValue out;
        const auto status = queryValue(registry, "hkcu", "k", "v", kind, std::int32_t{3}, out);
        EXPECT_EQ(status, answers.empty() ? 0 : answers.back().status) << kind;
        EXPECT_EQ(out, RegistryValue(std::int32_t{3})) << kind;
        EXPECT_EQ(registry.openKeys, 0) << kind;
        EXPECT_EQ(registry.closes, 1) << kind;
    }
}

TEST(QueryValue, FailedOpenNeitherQueriesNorCloses) {
    ScriptedRegistry registry;
    registry.openStatus = 5;
    RegistryValue out;
    EXPECT_EQ(queryValue(registry, "HKLM", "k", "v", "S", std::string("d"), out), 5);
    EXPECT_EQ(registry.closes, 0);
    EXPECT_TRUE(registry.offeredSizes.empty());
}

}  // namespace
}  // namespace orvendel
