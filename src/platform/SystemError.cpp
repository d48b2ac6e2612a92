#include "platform/SystemError.h"

#include <cerrno>

namespace hakoniwa {

QString systemErrorText(int error) {
    switch (error) {
    case ENOSPC:
        return QStringLiteral("容量が足りません");
    case EDQUOT:
        return QStringLiteral("使用できる容量の上限に達しました");
    case EFBIG:
        return QStringLiteral("ファイルが大きすぎます");
    case EACCES:
    case EPERM:
        return QStringLiteral("許可がありません");
    case EROFS:
        return QStringLiteral("読み取り専用の場所です");
    case ENOENT:
        return QStringLiteral("見つかりません");
    case ENOTDIR:
        return QStringLiteral("途中の名前がフォルダーではありません");
    case EISDIR:
        return QStringLiteral("フォルダーです");
    case ENAMETOOLONG:
        return QStringLiteral("名前が長すぎます");
    case EEXIST:
    case ENOTEMPTY:
        return QStringLiteral("同じ名前のものがあります");
    case ELOOP:
        return QStringLiteral("リンクは使えません");
    case EIO:
        return QStringLiteral("入出力エラーです");
    case ENOMEM:
        return QStringLiteral("メモリーが足りません");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("開いているファイルが多すぎます");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("使用中です");
    case EXDEV:
        return QStringLiteral("別のドライブへは移せません");
    case EINVAL:
    case EOPNOTSUPP:
        return QStringLiteral("この場所ではできない操作です");
    default:
        return QStringLiteral("システムエラー %1").arg(error);
    }
}

} // namespace hakoniwa
