-- The tables of a fresh Client.mdb, and the list version it starts with.
-- The client carries this file and runs it in one transaction when it finds
-- no database; scripts/run-demo.sh feeds it to sqlite3. The client splits it
-- at semicolons and drops lines starting with "--", so no semicolon inside a
-- statement and no comment after one.
CREATE TABLE ClientID (ClientName VARCHAR(12), ServerIP VARCHAR(255), ServerPort INTEGER);
CREATE TABLE Version (version_num VARCHAR(3));
CREATE TABLE recipients (SerialNum VARCHAR(4), Recipient VARCHAR(20));
CREATE TABLE group_list (SerialNum VARCHAR(4), GroupName VARCHAR(20));
CREATE TABLE canned (content VARCHAR(50));
CREATE TABLE report (sender TEXT, recipient TEXT, sendtime DATETIME, status TEXT, message TEXT);
INSERT INTO Version VALUES ('000');
