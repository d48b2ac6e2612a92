#pragma once

// A large project for the benchmarks: scenes x 500 items x 20 rows x 10 columns of typical
// cells (20 scenes make about 14 MB of project file).

#include "model/Project.h"

#include <string>

namespace bench {

using namespace hakoniwa;

inline constexpr int kItemsPerScene = 500;
inline constexpr int kRowsPerItem = 20;

// Shift-JIS bytes of typical definition lines: 文字表示,テキスト:hen|val and
// キー入力,キー:tei(上|下).
inline const std::string kInstruction = "\x95\xb6\x8e\x9a\x95\x5c\x8e\xa6,\x83\x65\x83\x4c\x83\x58"
                                        "\x83\x67:hen|val";
inline const std::string kComponent = "\x83\x4c\x81\x5b\x93\xfc\x97\xcd,\x83\x4c\x81\x5b:tei("
                                      "\x8f\xe3|\x89\xba)";

inline void fillItem(ItemSheet& sheet, int item) {
    sheet.setRowCount(kRowsPerItem);
    sheet.setCell(4, 1, "label" + std::to_string(item));
    sheet.setCell(5, 1, "0x00FF8800");
    for (int r = 2; r < kRowsPerItem; ++r) {
        if (r % 3 == 0) {
            sheet.setCell(1, r, std::to_string(1 + (item + r) % kItemsPerScene));
            sheet.setCell(2, r, kComponent);
            sheet.setCell(3, r, "enemy" + std::to_string(item));
            sheet.setCell(4, r, "120");
            for (int c = 6; c <= 9; ++c)
                sheet.setCell(c, r, std::to_string(c * 3 - r));
        } else {
            sheet.setCell(1, r, "0");
            sheet.setCell(2, r, kInstruction);
            sheet.setCell(3, r, "Score[" + std::to_string(r) + "].point");
            sheet.setCell(4, r, std::to_string(item * r));
            sheet.setCell(5, r, "player.hp");
            sheet.setCell(6, r, "0x00FF8800");
            sheet.setCell(7, r, "counter");
        }
    }
}

inline Project makeProject(int scenes) {
    Project project;
    for (int s = 0; s < scenes; ++s) {
        Scene& scene = project.addScene();
        scene.memo = {"memo of scene " + std::to_string(s), "", "\tindented"};
        for (int i = 0; i < kItemsPerScene; ++i)
            fillItem(scene.addItem(10 + i % 40 * 20, 10 + i / 40 * 30).sheet, i);
    }
    return project;
}

} // namespace bench
