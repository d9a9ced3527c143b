// The password store's value as anyone may have edited it.
#include "FuzzCheck.h"
#include "access/Crypt.h"

#include <algorithm>
#include <cstdint>

namespace Crypt = scontrix::access::Crypt;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const char* text = reinterpret_cast<const char*>(data);
    const QString stored = QString::fromUtf8(text, static_cast<qsizetype>(size));
    const auto password = Crypt::Unscramble(stored);
    if (password) {
        // A readable value is the scrambled form of what it gives, up to the
        // case of its digits and an odd last one.
        FUZZ_CHECK(password->size() == stored.size() / 2);
        FUZZ_CHECK(Crypt::Scramble(*password) == stored.left(password->size() * 2).toUpper());
    }

    // Every storable password comes back from its stored form.
    const QString typed = QString::fromLatin1(
        text, static_cast<qsizetype>(std::min<std::size_t>(size, Crypt::MaxPasswordLength)));
    FUZZ_CHECK(Crypt::IsStorable(typed));
    FUZZ_CHECK(Crypt::Unscramble(Crypt::Scramble(typed)) == typed);
    const QString normal = Crypt::Normalise(stored);
    FUZZ_CHECK(Crypt::Normalise(normal) == normal);
    return 0;
}
