// Detection of every page of the corpus: the encoding, the BOM and the text it reads as.

#include "support/encoding_corpus.h"

#include <gtest/gtest.h>

#include "platform/encoding.h"

namespace vesk {
namespace {

TEST(EncodingCorpus, EveryPageIsDetectedAndReadWithoutMojibake) {
    for (const corpus::Page& page : corpus::Pages()) {
        SCOPED_TRACE(page.name);
        const DecodedText decoded = DecodeFileBytes(page.bytes);
        EXPECT_EQ(EncodingName(decoded.encoding), EncodingName(page.encoding));
        EXPECT_EQ(decoded.bom, page.bom);
        EXPECT_FALSE(decoded.guessed);
        EXPECT_EQ(decoded.utf8, page.utf8);
    }
}

}  // namespace
}  // namespace vesk
