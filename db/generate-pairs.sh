#!/bin/sh
# Writes SQL that creates N center-user pairs over 50 centers, for benchmarks.
#
#   db/generate-pairs.sh N [OUT]     (stdout when OUT is not given)
#
# Load it after db/schema.sql, alone or over db/demo-data.sql: it uses its own center
# codes (G001..G050) and partner codes (P00000000001...), replaces only its own rows, and
# runs in one transaction. The same SQL runs on SQLite and PostgreSQL.
set -eu

[ $# -ge 1 ] && [ $# -le 2 ] || { echo "usage: $0 N [OUT]" >&2; exit 2; }
case $1 in ''|*[!0-9]*) echo "$0: N must be a whole number: $1" >&2; exit 2 ;; esac
[ "$1" -le 99999999 ] || { echo "$0: N is too large" >&2; exit 2; }

generate() {
    awk -v n="$1" 'BEGIN {
        split("北海道 青森 岩手 宮城 秋田 山形 福島 茨城 栃木 群馬 埼玉 千葉 東京 神奈川 新潟 富山 " \
              "石川 福井 山梨 長野 岐阜 静岡 愛知 三重 滋賀 京都 大阪 兵庫 奈良 和歌山 鳥取 島根 " \
              "岡山 広島 山口 徳島 香川 愛媛 高知 福岡 佐賀 長崎 熊本 大分 宮崎 鹿児島 沖縄 " \
              "東京湾岸 大阪南港 名古屋港", region, " ")
        centers = 50
        print "BEGIN;"
        print "DELETE FROM FL1915センタ利用企業マスタ WHERE センターコード LIKE \x27G%\x27;"
        print "DELETE FROM FL1903EDI制御マスタ WHERE センターコード LIKE \x27G%\x27;"
        print "INSERT INTO FL1903EDI制御マスタ (センターコード, センター名, 相手先種別, 送受信方式, KRX受信ファイルパス, 実行端末名) VALUES"
        for (c = 1; c <= centers; c++)
            printf "    (\x27G%03d\x27, \x27%s物流センター\x27, \x2704\x27, \x27%d\x27, \x27D:\\EDI\\KRX\\G%03d\\RECV\x27, \x27EDISV%02d\x27)%s\n",
                c, region[c], c % 4 + 1, c, c % 5 + 1, (c < centers ? "," : ";")
        # Batches of 500 rows keep each statement small for both engines.
        for (i = 1; i <= n; i++) {
            if ((i - 1) % 500 == 0)
                print "INSERT INTO FL1915センタ利用企業マスタ (センターコード, 相手先企業コード) VALUES"
            printf "    (\x27G%03d\x27, \x27P%011d\x27)%s\n", (i - 1) % centers + 1, i, (i % 500 == 0 || i == n ? ";" : ",")
        }
        print "COMMIT;"
    }'
}

if [ $# -eq 2 ]; then
    generate "$1" >"$2"
else
    generate "$1"
fi
