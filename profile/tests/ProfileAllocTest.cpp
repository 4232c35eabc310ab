// A stated length longer than what is left of the file fails before anything is allocated
// for it. This program replaces the global operator new to record the largest single request
// made while a check is armed (its own executable, so no other test runs under the counter).

#include "ProfileTestSupport.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<bool> armed{false};
std::atomic<std::size_t> largest{0};

void* allocate(std::size_t size)
{
    if (armed.load(std::memory_order_relaxed)) {
        std::size_t seen = largest.load(std::memory_order_relaxed);
        while (size > seen && !largest.compare_exchange_weak(seen, size)) {
        }
    }
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

} // namespace

void* operator new(std::size_t size)
{
    return allocate(size);
}
void* operator new[](std::size_t size)
{
    return allocate(size);
}
void operator delete(void* p) noexcept
{
    std::free(p);
}
void operator delete[](void* p) noexcept
{
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept
{
    std::free(p);
}

namespace velmora::test {
namespace {

using namespace std::string_literals;

// The largest single allocation `action` makes.
template <class Action>
std::size_t largestAllocation(Action action)
{
    largest = 0;
    armed = true;
    action();
    armed = false;
    return largest;
}

// A 50-byte input: one complete string, then a string whose stated size is about 4 GB.
const std::string kNarrowFourGigabytes = "\x01T"s + "\xFF\xFF\xFF\xFF\xFF\xFF\xFF"s + std::string(41, 'x');
const std::string kWideFourGigabytes = "\x01T"s + "\xFF\xFE\xFF\xFF\xFF\xFF\xFF\xFF\xFF"s + std::string(39, 'x');

TEST(ProfileAllocation, CounterSeesLargeRequests)
{
    EXPECT_GE(largestAllocation([] { std::string s(100000, 'x'); }), 100000u);
}

TEST(ProfileAllocation, FourGigabyteLengthInMemoryFailsAtOnce)
{
    for (const std::string& bytes : {kNarrowFourGigabytes, kWideFourGigabytes}) {
        ASSERT_EQ(bytes.size(), 50u);
        SiteProfile p = oldProfile();
        std::string error;
        const std::size_t most = largestAllocation([&] {
            try {
                decodeProfile(p, bytes);
            } catch (const ProfileError& e) {
                error = e.what();
            }
        });
        EXPECT_EQ(error, kPastEnd);
        EXPECT_LT(most, 256u) << "an allocation for the stated length";
        EXPECT_EQ(p.pageTitle, "T");
        EXPECT_EQ(p.homeHeading, "old homeHeading");
    }
}

TEST(ProfileAllocation, FourGigabyteLengthInAFileFailsAtOnce)
{
    TempDir dir;
    for (const std::string& bytes : {kNarrowFourGigabytes, kWideFourGigabytes}) {
        writeFile(dir / "big.dat", bytes);
        SiteProfile p = oldProfile();
        std::string error;
        const std::size_t most = largestAllocation([&] {
            try {
                loadProfile(p, dir / "big.dat");
            } catch (const ProfileError& e) {
                error = e.what();
            }
        });
        EXPECT_EQ(error, kPastEnd);
        EXPECT_LT(most, 4096u) << "an allocation for the stated length";
        EXPECT_EQ(p.pageTitle, "T");
    }
}

// Whatever the bytes, no single allocation is larger than the input.
TEST(ProfileAllocation, NeverMoreThanTheInputsSize)
{
    const std::string inputs[] = {
        std::string(44, '\0'),
        "\xFF\x00\x10"s + std::string(4000, 'x'),
        "\xFF\xFF\xFF\x00\x00\x10\x00"s + std::string(100000, 'x'),
        "\xFF\xFE\xFF\xFF\x00\x10"s + std::string(8000, 'x'),
        "\xFF\xFE\xFF\xFF\xFF\xFF\x00\x00\x01\x00"s + std::string(131000, 'x'),
        encodeProfile(distinctProfile()),
    };
    for (const std::string& bytes : inputs) {
        SiteProfile p;
        const std::size_t most = largestAllocation([&] {
            try {
                decodeProfile(p, bytes);
            } catch (const ProfileError&) {
            }
        });
        EXPECT_LE(most, std::max<std::size_t>(bytes.size(), 256)) << "input of " << bytes.size() << " bytes";
    }
}

} // namespace
} // namespace velmora::test
