-- The local database shipped beside the program as ocn.js.
-- Stwh: one row per computer; RT: the imported game list; ListTR: the
-- second list, replaced at every start; RTKey: the search keys of each RT
-- row (by row id), written with it.
create table Stwh (
  C_disk     text primary key,
  S_Datetime text,
  R_count    integer not null default 0,
  icount     integer not null default 0
);
create table RT (
  R_Name  text,
  R_Class text,
  R_URL   text
);
create table ListTR (
  R_Name  text,
  R_Class text,
  R_URL   text
);
create table RTKey (
  R_Id   integer primary key,
  R_Keys text not null
);
