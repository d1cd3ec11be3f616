#include "journal_lines.h"

#include "text_numbers.h"

namespace tavlo_sim {

std::string SettingWrittenLine(int board, int setting, std::uint32_t value) {
    return "tavlo set board=" + std::to_string(board) + " setting=" + std::to_string(setting) +
           " value=" + HexText(value);
}

std::string OrientReceivedLine(int board, const OrientPoints& points) {
    return "tavlo orient board=" + std::to_string(board) +
           " top=" + std::to_string(points.top.x.size()) +
           " bottom=" + std::to_string(points.bottom.x.size()) +
           " left=" + std::to_string(points.left.x.size()) +
           " right=" + std::to_string(points.right.x.size());
}

}  // namespace tavlo_sim
