-- Demo rows for MNT4820, for both SQLite and PostgreSQL. Load after db/schema.sql;
-- loading again replaces the rows.
BEGIN;

DELETE FROM FL1915センタ利用企業マスタ;
DELETE FROM FL1903EDI制御マスタ;
DELETE FROM 区分マスタ;
DELETE FROM FL1916メッセージグループ情報マスタ;
DELETE FROM FL1902フォーマット情報マスタ;
DELETE FROM FL1901項目情報マスタ;
DELETE FROM FL0003担当者マスタ;

INSERT INTO 区分マスタ (区分, 区分コード, 区分名称) VALUES
    ('相手先種別', '01', 'メーカー'),
    ('相手先種別', '02', '卸売業'),
    ('相手先種別', '03', '小売業'),
    ('相手先種別', '04', '物流業者'),
    ('送受信方式', '1', 'JCA手順'),
    ('送受信方式', '2', '全銀TCP/IP手順'),
    ('送受信方式', '3', 'JX手順'),
    ('送受信方式', '4', 'EDIINT AS2');

INSERT INTO FL1903EDI制御マスタ (センターコード, センター名, 相手先種別, 送受信方式, KRX受信ファイルパス, 実行端末名) VALUES
    ('C001', '東日本物流センター', '04', '2', 'D:\EDI\KRX\C001\RECV', 'EDISV01'),
    ('C002', '西日本物流センター', '04', '2', 'D:\EDI\KRX\C002\RECV', 'EDISV01'),
    ('C003', '中部流通センター', '02', '1', 'D:\EDI\KRX\C003\RECV', 'EDISV02'),
    ('C004', '九州配送センター', '04', '3', 'D:\EDI\KRX\C004\RECV', 'EDISV02'),
    ('C005', '北海道髙橋食品センター', '01', '4', 'D:\EDI\KRX\C005\RECV', 'EDISV03');

-- C009 is not in FL1903 (a center taken out of service): its pair is never listed.
INSERT INTO FL1915センタ利用企業マスタ (センターコード, 相手先企業コード) VALUES
    ('C001', 'A00012345678'),
    ('C001', 'A00012345679'),
    ('C001', 'A00012345680'),
    ('C001', 'B10000000001'),
    ('C001', 'B10000000002'),
    ('C001', 'K2024000017'),
    ('C001', 'T001'),
    ('C002', 'A00023456781'),
    ('C002', 'A00023456782'),
    ('C002', 'B20000000001'),
    ('C002', 'B20000000002'),
    ('C002', 'B20000000003'),
    ('C002', 'M55501'),
    ('C003', 'A00034567890'),
    ('C003', 'A00034567891'),
    ('C003', 'C30000000001'),
    ('C003', 'C30000000002'),
    ('C003', 'N0815'),
    ('C003', 'S7700123'),
    ('C004', 'A00045678901'),
    ('C004', 'D40000000001'),
    ('C004', 'D40000000002'),
    ('C004', 'D40000000003'),
    ('C004', 'F99'),
    ('C005', 'A00056789012'),
    ('C005', 'E50000000001'),
    ('C005', 'E50000000002'),
    ('C005', 'H8800000001'),
    ('C005', 'Z0000000001'),
    ('C009', 'X90000000001');

INSERT INTO FL1916メッセージグループ情報マスタ (相手先コード, 自社コード, 情報区分) VALUES
    ('A00012345678', 'J00000000001', '01'),
    ('A00012345678', 'J00000000001', '02'),
    ('A00023456781', 'J00000000001', '01'),
    ('A00034567890', 'J00000000002', '03'),
    ('B10000000001', 'J00000000002', '01');

-- Two versions of the order format: one distinct pair in the code search.
INSERT INTO FL1902フォーマット情報マスタ (情報区分コード, BPID, 版数) VALUES
    ('01', 'ORDERS-JCA', '1'),
    ('01', 'ORDERS-JCA', '2'),
    ('02', 'DESADV-JCA', '1'),
    ('03', 'INVOIC-ZEN', '1'),
    ('04', 'RECADV-JX', '1');

INSERT INTO FL1901項目情報マスタ (項目No, データ項目名) VALUES
    (1, '伝票番号'),
    (2, '発注日'),
    (3, '納品予定日'),
    (4, '取引先コード'),
    (5, '商品コード'),
    (6, '発注数量'),
    (7, '原単価'),
    (8, '売単価');

-- Operators for trying the sign-on (build/mnt4820-signon): OP00007 fills the seven characters of the code and
-- the ten of the password, so both fields are left as soon as they are full; 0003 has no password yet and
-- cannot sign on until one is set with F5 (old password left empty).
INSERT INTO FL0003担当者マスタ (担当者コード, 担当者氏名, IME起動モード, 権限レベル, パスワード) VALUES
    ('0001', '山田 太郎', 0, 9, 'yamada01'),
    ('0002', '髙橋 花子', 1, 1, 'Hanako2'),
    ('0003', '佐藤 次郎', 0, 1, ''),
    ('OP00007', '鈴木 一郎', 2, 5, 'Suzuki1234');

COMMIT;
