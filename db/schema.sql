-- Tables of the EDI operations database that MNT4820 reads and writes.
-- Runs unchanged on SQLite (sqlite3 FILE < db/schema.sql) and PostgreSQL
-- (psql -v ON_ERROR_STOP=1 -f db/schema.sql). Names stay unquoted: PostgreSQL folds the
-- ASCII letters to lower case, exactly as it does in the program's own statements.
-- All codes are text; the program compares and joins them as text.

DROP TABLE IF EXISTS FL1915センタ利用企業マスタ;
DROP TABLE IF EXISTS FL1903EDI制御マスタ;
DROP TABLE IF EXISTS 区分マスタ;
DROP TABLE IF EXISTS FL1916メッセージグループ情報マスタ;
DROP TABLE IF EXISTS FL1902フォーマット情報マスタ;
DROP TABLE IF EXISTS FL1901項目情報マスタ;
DROP TABLE IF EXISTS FL0003担当者マスタ;

-- Center-user companies: which partner companies exchange through which center.
-- No foreign key to FL1903: pairs of centers that were taken out of service stay
-- stored and are merely not listed. A partner code belongs to one center only: the
-- program checks it before a save, and the unique index keeps two workstations that
-- pass the check at the same moment from both storing it.
CREATE TABLE FL1915センタ利用企業マスタ (
    センターコード VARCHAR(20) NOT NULL,
    相手先企業コード VARCHAR(20) NOT NULL,
    PRIMARY KEY (センターコード, 相手先企業コード)
);
-- The duplicate check looks a partner code up over all centers.
CREATE UNIQUE INDEX IX_FL1915_相手先企業コード ON FL1915センタ利用企業マスタ (相手先企業コード);

-- EDI control: one row per center (exchange point).
CREATE TABLE FL1903EDI制御マスタ (
    センターコード VARCHAR(20) NOT NULL PRIMARY KEY,
    センター名 VARCHAR(80),
    相手先種別 VARCHAR(10),
    送受信方式 VARCHAR(10),
    KRX受信ファイルパス VARCHAR(260),
    実行端末名 VARCHAR(64)
);

-- Several small code tables in one: 区分 names the table, 区分コード the code in it.
CREATE TABLE 区分マスタ (
    区分 VARCHAR(40) NOT NULL,
    区分コード VARCHAR(10) NOT NULL,
    区分名称 VARCHAR(80),
    PRIMARY KEY (区分, 区分コード)
);

CREATE TABLE FL1916メッセージグループ情報マスタ (
    相手先コード VARCHAR(20) NOT NULL,
    自社コード VARCHAR(20) NOT NULL,
    情報区分 VARCHAR(10) NOT NULL,
    PRIMARY KEY (相手先コード, 自社コード, 情報区分)
);

-- A format exists in several versions (版数); the code search lists the distinct
-- pairs of information kind and BPID.
CREATE TABLE FL1902フォーマット情報マスタ (
    情報区分コード VARCHAR(10) NOT NULL,
    BPID VARCHAR(40) NOT NULL,
    版数 VARCHAR(4) NOT NULL,
    PRIMARY KEY (情報区分コード, BPID, 版数)
);

CREATE TABLE FL1901項目情報マスタ (
    項目No INTEGER NOT NULL PRIMARY KEY,
    データ項目名 VARCHAR(80)
);

-- Operators. The sign-on reads IME起動モード and 権限レベル as numbers.
CREATE TABLE FL0003担当者マスタ (
    担当者コード VARCHAR(20) NOT NULL PRIMARY KEY,
    担当者氏名 VARCHAR(40),
    IME起動モード INTEGER,
    権限レベル INTEGER,
    パスワード VARCHAR(40)
);
