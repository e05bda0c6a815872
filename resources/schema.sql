-- The tables that ship inside db.db. The program creates prs, kwsetting and kwlist itself.
CREATE TABLE keywords (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    keys VARCHAR(255),
    parentkeys VARCHAR(255),
    monthrank VARCHAR(50),
    dayrank VARCHAR(50),
    baidunum VARCHAR(50),
    adddate DATETIME
);
CREATE TABLE ranks (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    se VARCHAR(50),
    kws VARCHAR(255),
    urls VARCHAR(255),
    rank INT,
    rankstr VARCHAR(255),
    addtime DATETIME
);
CREATE TABLE kws (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    txt VARCHAR(255),
    subtxt TEXT,
    stat INT
);
