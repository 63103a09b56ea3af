// Marks of a text moved along while the text is rewritten in place.
#include "source/textrewriter.h"

#include <gtest/gtest.h>

using namespace korvel;

TEST(PositionMover, movesPositionsBehindEachEditTheyPass)
{
    // "abcdef": "bc" replaced by "XYZ", then "!" inserted before "f" (position 5).
    std::vector<qsizetype> positions = {0, 3, 4, 5};
    PositionMover mover(positions);
    mover.edit({1, 2, 3});
    mover.edit({5, 0, 1});
    mover.finish();
    EXPECT_EQ(positions, (std::vector<qsizetype>{0, 4, 5, 7}));
}
