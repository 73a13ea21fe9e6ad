-- The sample database of the demo: every country, with its native name, capital,
-- continent, area (km²), population, GDP per capita in US dollars (a currency amount), the
-- date it joined the United Nations (NULL for states that are not members), when the record
-- was last updated, whether it is landlocked, and notes on its languages and currency.
-- Figures are rounded recent estimates. Run with isql in a database created with
-- DEFAULT CHARACTER SET UTF8 over a UTF8 connection.

CREATE TABLE COUNTRY (
  ID               INTEGER NOT NULL PRIMARY KEY,
  CODE             CHAR(2) NOT NULL,
  NAME             VARCHAR(60) NOT NULL,
  NATIVE_NAME      VARCHAR(100),
  CAPITAL          VARCHAR(60),
  CONTINENT        VARCHAR(20),
  AREA             DOUBLE PRECISION,
  POPULATION       BIGINT,
  GDP_PER_CAPITA   NUMERIC(18,4),
  UN_MEMBER_SINCE  DATE,
  UPDATED_AT       TIMESTAMP,
  LANDLOCKED       BOOLEAN,
  NOTES            BLOB SUB_TYPE TEXT
);
COMMIT;

INSERT INTO COUNTRY VALUES (1, 'AF', 'Afghanistan', 'افغانستان', 'Kabul', 'Asia', 652230, 41128771, 363.0000, '1946-11-19', '2024-07-02 15:13:00', TRUE, 'Languages: Pashto, Dari. Currency: Afghan afghani (AFN).');
INSERT INTO COUNTRY VALUES (2, 'AL', 'Albania', 'Shqipëria', 'Tirana', 'Europe', 28748, 2775634, 6810.0000, '1955-12-14', '2024-07-03 12:26:00', FALSE, 'Languages: Albanian. Currency: Albanian lek (ALL).');
INSERT INTO COUNTRY VALUES (3, 'DZ', 'Algeria', 'الجزائر', 'Algiers', 'Africa', 2381741, 44903225, 4274.0000, '1962-10-08', '2024-07-04 09:39:00', FALSE, 'Languages: Arabic, Berber. Currency: Algerian dinar (DZD).');
INSERT INTO COUNTRY VALUES (4, 'AD', 'Andorra', 'Andorra', 'Andorra la Vella', 'Europe', 468, 79824, 41993.0000, '1993-07-28', '2024-07-05 16:52:00', TRUE, 'Languages: Catalan. Currency: Euro (EUR).');
INSERT INTO COUNTRY VALUES (5, 'AO', 'Angola', 'Angola', 'Luanda', 'Africa', 1246700, 35588987, 3000.0000, '1976-12-01', '2024-07-06 13:05:00', FALSE, 'Languages: Portuguese. Currency: Angolan kwanza (AOA).');
INSERT INTO COUNTRY VALUES (6, 'AG', 'Antigua and Barbuda', 'Antigua and Barbuda', 'St. John''s', 'North America', 442, 93763, 19920.0000, '1981-11-11', '2024-07-07 10:18:00', FALSE, 'Languages: English. Currency: East Caribbean dollar (XCD).');
INSERT INTO COUNTRY VALUES (7, 'AR', 'Argentina', 'Argentina', 'Buenos Aires', 'South America', 2780400, 46234830, 13686.0000, '1945-10-24', '2024-07-08 17:31:00', FALSE, 'Languages: Spanish. Currency: Argentine peso (ARS).');
INSERT INTO COUNTRY VALUES (8, 'AM', 'Armenia', 'Հայաստան', 'Yerevan', 'Asia', 29743, 2780469, 6973.0000, '1992-03-02', '2024-07-09 14:44:00', TRUE, 'Languages: Armenian. Currency: Armenian dram (AMD).');
INSERT INTO COUNTRY VALUES (9, 'AU', 'Australia', 'Australia', 'Canberra', 'Oceania', 7692024, 26005540, 64491.0000, '1945-11-01', '2024-07-10 11:57:00', FALSE, 'Languages: English. Currency: Australian dollar (AUD).');
INSERT INTO COUNTRY VALUES (10, 'AT', 'Austria', 'Österreich', 'Vienna', 'Europe', 83871, 9042528, 52131.0000, '1955-12-14', '2024-07-11 08:10:00', TRUE, 'Languages: German. Currency: Euro (EUR).');
INSERT INTO COUNTRY VALUES (11, 'AZ', 'Azerbaijan', 'Azərbaycan', 'Baku', 'Asia', 86600, 10358074, 7762.0000, '1992-03-02', '2024-07-12 15:23:00', TRUE, 'Languages: Azerbaijani. Currency: Azerbaijani manat (AZN).');
INSERT INTO COUNTRY VALUES (12, 'BS', 'Bahamas', 'The Bahamas', 'Nassau', 'North America', 13943, 409984, 31458.0000, '1973-09-18', '2024-07-13 12:36:00', FALSE, 'Languages: English. Currency: Bahamian dollar (BSD).');
INSERT INTO COUNTRY VALUES (13, 'BH', 'Bahrain', 'البحرين', 'Manama', 'Asia', 785, 1472233, 30147.0000, '1971-09-21', '2024-07-14 09:49:00', FALSE, 'Languages: Arabic. Currency: Bahraini dinar (BHD).');
INSERT INTO COUNTRY VALUES (14, 'BD', 'Bangladesh', 'বাংলাদেশ', 'Dhaka', 'Asia', 147570, 171186372, 2688.0000, '1974-09-17', '2024-07-15 16:02:00', FALSE, 'Languages: Bengali. Currency: Bangladeshi taka (BDT).');
INSERT INTO COUNTRY VALUES (15, 'BB', 'Barbados', 'Barbados', 'Bridgetown', 'North America', 430, 281635, 20239.0000, '1966-12-09', '2024-07-16 13:15:00', FALSE, 'Languages: English. Currency: Barbadian dollar (BBD).');
INSERT INTO COUNTRY VALUES (16, 'BY', 'Belarus', 'Беларусь', 'Minsk', 'Europe', 207600, 9228071, 7888.0000, '1945-10-24', '2024-07-17 10:28:00', TRUE, 'Languages: Belarusian, Russian. Currency: Belarusian ruble (BYN).');
INSERT INTO COUNTRY VALUES (17, 'BE', 'Belgium', 'België / Belgique / Belgien', 'Brussels', 'Europe', 30528, 11655930, 49926.0000, '1945-12-27', '2024-07-18 17:41:00', FALSE, 'Languages: Dutch, French, German. Currency: Euro (EUR).');
INSERT INTO COUNTRY VALUES (18, 'BZ', 'Belize', 'Belize', 'Belmopan', 'North America', 22966, 405272, 6984.0000, '1981-09-25', '2024-07-19 14:54:00', FALSE, 'Languages: English. Currency: Belize dollar (BZD).');
INSERT INTO COUNTRY VALUES (19, 'BJ', 'Benin', 'Bénin', 'Porto-Novo', 'Africa', 114763, 13352864, 1303.0000, '1960-09-20', '2024-07-20 11:07:00', FALSE, 'Languages: French. Currency: West African CFA franc (XOF).');
INSERT INTO COUNTRY VALUES (20, 'BT', 'Bhutan', 'འབྲུག་ཡུལ', 'Thimphu', 'Asia', 38394, 782455, 3266.0000, '1971-09-21', '2024-07-21 08:20:00', TRUE, 'Languages: Dzongkha. Currency: Bhutanese ngultrum (BTN).');
INSERT INTO COUNTRY VALUES (21, 'BO', 'Bolivia', 'Bolivia', 'Sucre', 'South America', 1098581, 12224110, 3600.0000, '1945-11-14', '2024-07-22 15:33:00', TRUE, 'Languages: Spanish, Quechua, Aymara. Currency: Bolivian boliviano (BOB).');
INSERT INTO COUNTRY VALUES (22, 'BA', 'Bosnia and Herzegovina', 'Bosna i Hercegovina', 'Sarajevo', 'Europe', 51197, 3233526, 7585.0000, '1992-05-22', '2024-07-23 12:46:00', FALSE, 'Languages: Bosnian, Croatian, Serbian. Currency: Convertible mark (BAM).');
INSERT INTO COUNTRY VALUES (23, 'BW', 'Botswana', 'Botswana', 'Gaborone', 'Africa', 581730, 2630296, 7738.0000, '1966-10-17', '2024-07-24 09:59:00', TRUE, 'Languages: English, Tswana. Currency: Botswana pula (BWP).');
INSERT INTO COUNTRY VALUES (24, 'BR', 'Brazil', 'Brasil', 'Brasília', 'South America', 8515767, 215313498, 8918.0000, '1945-10-24', '2024-07-25 16:12:00', FALSE, 'Languages: Portuguese. Currency: Brazilian real (BRL).');
INSERT INTO COUNTRY VALUES (25, 'BN', 'Brunei', 'Negara Brunei Darussalam', 'Bandar Seri Begawan', 'Asia', 5765, 449002, 37152.0000, '1984-09-21', '2024-07-26 13:25:00', FALSE, 'Languages: Malay. Currency: Brunei dollar (BND).');
INSERT INTO COUNTRY VALUES (26, 'BG', 'Bulgaria', 'България', 'Sofia', 'Europe', 110994, 6781953, 13974.0000, '1955-12-14', '2024-07-27 10:38:00', FALSE, 'Languages: Bulgarian. Currency: Bulgarian lev (BGN).');
INSERT INTO COUNTRY VALUES (27, 'BF', 'Burkina Faso', 'Burkina Faso', 'Ouagadougou', 'Africa', 274200, 22673762, 830.0000, '1960-09-20', '2024-07-28 17:51:00', TRUE, 'Languages: French. Currency: West African CFA franc (XOF).');
INSERT INTO COUNTRY VALUES (28, 'BI', 'Burundi', 'Burundi', 'Gitega', 'Africa', 27834, 12889576, 259.0000, '1962-09-18', '2024-07-01 14:04:00', TRUE, 'Languages: Kirundi, French. Currency: Burundian franc (BIF).');
INSERT INTO COUNTRY VALUES (29, 'CV', 'Cabo Verde', 'Cabo Verde', 'Praia', 'Africa', 4033, 593149, 4322.0000, '1975-09-16', '2024-07-02 11:17:00', FALSE, 'Languages: Portuguese. Currency: Cape Verdean escudo (CVE).');
INSERT INTO COUNTRY VALUES (30, 'KH', 'Cambodia', 'កម្ពុជា', 'Phnom Penh', 'Asia', 181035, 16767842, 1787.0000, '1955-12-14', '2024-07-03 08:30:00', FALSE, 'Languages: Khmer. Currency: Cambodian riel (KHR).');
INSERT INTO COUNTRY VALUES (31, 'CM', 'Cameroon', 'Cameroun', 'Yaoundé', 'Africa', 475442, 27914536, 1563.0000, '1960-09-20', '2024-07-04 15:43:00', FALSE, 'Languages: French, English. Currency: Central African CFA franc (XAF).');
INSERT INTO COUNTRY VALUES (32, 'CA', 'Canada', 'Canada', 'Ottawa', 'North America', 9984670, 38929902, 55522.0000, '1945-11-09', '2024-07-05 12:56:00', FALSE, 'Languages: English, French. Currency: Canadian dollar (CAD).');
INSERT INTO COUNTRY VALUES (33, 'CF', 'Central African Republic', 'Ködörösêse tî Bêafrîka', 'Bangui', 'Africa', 622984, 5579144, 427.0000, '1960-09-20', '2024-07-06 09:09:00', TRUE, 'Languages: Sango, French. Currency: Central African CFA franc (XAF).');
INSERT INTO COUNTRY VALUES (34, 'TD', 'Chad', 'Tchad', 'N''Djamena', 'Africa', 1284000, 17723315, 717.0000, '1960-09-20', '2024-07-07 16:22:00', TRUE, 'Languages: French, Arabic. Currency: Central African CFA franc (XAF).');
INSERT INTO COUNTRY VALUES (35, 'CL', 'Chile', 'Chile', 'Santiago', 'South America', 756102, 19603733, 15355.0000, '1945-10-24', '2024-07-08 13:35:00', FALSE, 'Languages: Spanish. Currency: Chilean peso (CLP).');
INSERT INTO COUNTRY VALUES (36, 'CN', 'China', '中国', 'Beijing', 'Asia', 9596961, 1412175000, 12720.0000, '1945-10-24', '2024-07-09 10:48:00', FALSE, 'Languages: Mandarin Chinese. Currency: Renminbi (CNY).');
INSERT INTO COUNTRY VALUES (37, 'CO', 'Colombia', 'Colombia', 'Bogotá', 'South America', 1141748, 51874024, 6630.0000, '1945-11-05', '2024-07-10 17:01:00', FALSE, 'Languages: Spanish. Currency: Colombian peso (COP).');
INSERT INTO COUNTRY VALUES (38, 'KM', 'Comoros', 'Komori', 'Moroni', 'Africa', 2235, 836774, 1485.0000, '1975-11-12', '2024-07-11 14:14:00', FALSE, 'Languages: Comorian, Arabic, French. Currency: Comorian franc (KMF).');
INSERT INTO COUNTRY VALUES (39, 'CG', 'Congo', 'Congo', 'Brazzaville', 'Africa', 342000, 5970424, 2649.0000, '1960-09-20', '2024-07-12 11:27:00', FALSE, 'Languages: French. Currency: Central African CFA franc (XAF).');
INSERT INTO COUNTRY VALUES (40, 'CD', 'Congo (Democratic Republic)', 'République démocratique du Congo', 'Kinshasa', 'Africa', 2344858, 99010212, 654.0000, '1960-09-20', '2024-07-13 08:40:00', FALSE, 'Languages: French. Currency: Congolese franc (CDF).');
INSERT INTO COUNTRY VALUES (41, 'CR', 'Costa Rica', 'Costa Rica', 'San José', 'North America', 51100, 5180829, 13199.0000, '1945-11-02', '2024-07-14 15:53:00', FALSE, 'Languages: Spanish. Currency: Costa Rican colón (CRC).');
INSERT INTO COUNTRY VALUES (42, 'CI', 'Côte d''Ivoire', 'Côte d''Ivoire', 'Yamoussoukro', 'Africa', 322463, 28160542, 2486.0000, '1960-09-20', '2024-07-15 12:06:00', FALSE, 'Languages: French. Currency: West African CFA franc (XOF).');
INSERT INTO COUNTRY VALUES (43, 'HR', 'Croatia', 'Hrvatska', 'Zagreb', 'Europe', 56594, 3855600, 18570.0000, '1992-05-22', '2024-07-16 09:19:00', FALSE, 'Languages: Croatian. Currency: Euro (EUR).');
INSERT INTO COUNTRY VALUES (44, 'CU', 'Cuba', 'Cuba', 'Havana', 'North America', 109884, 11212191, 9500.0000, '1945-10-24', '2024-07-17 16:32:00', FALSE, 'Languages: Spanish. Currency: Cuban peso (CUP).');
INSERT INTO COUNTRY VALUES (45, 'CY', 'Cyprus', 'Κύπρος / Kıbrıs', 'Nicosia', 'Europe', 9251, 1251488, 32048.0000, '1960-09-20', '2024-07-18 13:45:00', FALSE, 'Languages: Greek, Turkish. Currency: Euro (EUR).');
INSERT INTO COUNTRY VALUES (46, 'CZ', 'Czechia', 'Česko', 'Prague', 'Europe', 78871, 10672118, 27638.0000, '1993-01-19', '2024-07-19 10:58:00', TRUE, 'Languages: Czech. Currency: Czech koruna (CZK).');
INSERT INTO COUNTRY VALUES (47, 'DK', 'Denmark', 'Danmark', 'Copenhagen', 'Europe', 42933, 5903037, 66983.0000, '1945-10-24', '2024-07-20 17:11:00', FALSE, 'Languages: Danish. Currency: Danish krone (DKK).');
INSERT INTO COUNTRY VALUES (48, 'DJ', 'Djibouti', 'Djibouti / جيبوتي', 'Djibouti', 'Africa', 23200, 1120849, 3136.0000, '1977-09-20', '2024-07-21 14:24:00', FALSE, 'Languages: French, Arabic. Currency: Djiboutian franc (DJF).');
INSERT INTO COUNTRY VALUES (49, 'DM', 'Dominica', 'Dominica', 'Roseau', 'North America', 751, 72737, 8364.0000, '1978-12-18', '2024-07-22 11:37:00', FALSE, 'Languages: English. Currency: East Caribbean dollar (XCD).');
INSERT INTO COUNTRY VALUES (50, 'DO', 'Dominican Republic', 'República Dominicana', 'Santo Domingo', 'North America', 48671, 11228821, 10111.0000, '1945-10-24', '2024-07-23 08:50:00', FALSE, 'Languages: Spanish. Currency: Dominican peso (DOP).');
INSERT INTO COUNTRY VALUES (51, 'EC', 'Ecuador', 'Ecuador', 'Quito', 'South America', 283561, 18001000, 6391.0000, '1945-12-21', '2024-07-24 15:03:00', FALSE, 'Languages: Spanish. Currency: United States dollar (USD).');
INSERT INTO COUNTRY VALUES (52, 'EG', 'Egypt', 'مصر', 'Cairo', 'Africa', 1002450, 110990103, 4295.0000, '1945-10-24', '2024-07-25 12:16:00', FALSE, 'Languages: Arabic. Currency: Egyptian pound (EGP).');
INSERT INTO COUNTRY VALUES (53, 'SV', 'El Salvador', 'El Salvador', 'San Salvador', 'North America', 21041, 6336392, 5127.0000, '1945-10-24', '2024-07-26 09:29:00', FALSE, 'Languages: Spanish. Currency: United States dollar (USD).');
INSERT INTO COUNTRY VALUES (54, 'GQ', 'Equatorial Guinea', 'Guinea Ecuatorial', 'Malabo', 'Africa', 28051, 1674908, 7182.0000, '1968-11-12', '2024-07-27 16:42:00', FALSE, 'Languages: Spanish, French, Portuguese. Currency: Central African CFA franc (XAF).');
INSERT INTO COUNTRY VALUES (55, 'ER', 'Eritrea', 'ኤርትራ', 'Asmara', 'Africa', 117600, 3684032, 644.0000, '1993-05-28', '2024-07-28 13:55:00', FALSE, 'Languages: Tigrinya, Arabic, English. Currency: Eritrean nakfa (ERN).');
INSERT INTO COUNTRY VALUES (56, 'EE', 'Estonia', 'Eesti', 'Tallinn', 'Europe', 45339, 1331796, 28247.0000, '1991-09-17', '2024-07-01 10:08:00', FALSE, 'Languages: Estonian. Currency: Euro (EUR).');
INSERT INTO COUNTRY VALUES (57, 'SZ', 'Eswatini', 'eSwatini', 'Mbabane', 'Africa', 17364, 1201670, 3987.0000, '1968-09-24', '2024-07-02 17:21:00', TRUE, 'Languages: Swazi, English. Currency: Swazi lilangeni (SZL).');
INSERT INTO COUNTRY VALUES (58, 'ET', 'Ethiopia', 'ኢትዮጵያ', 'Addis Ababa', 'Africa', 1104300, 123379924, 1028.0000, '1945-11-13', '2024-07-03 14:34:00', TRUE, 'Languages: Amharic. Currency: Ethiopian birr (ETB).');
INSERT INTO COUNTRY VALUES (59, 'FJ', 'Fiji', 'Viti', 'Suva', 'Oceania', 18274, 929766, 5356.0000, '1970-10-13', '2024-07-04 11:47:00', FALSE, 'Languages: English, Fijian, Fiji Hindi. Currency: Fijian dollar (FJD).');
INSERT INTO COUNTRY VALUES (60, 'FI', 'Finland', 'Suomi', 'Helsinki', 'Europe', 338455, 5556106, 50537.0000, '1955-12-14', '2024-07-05 08:00:00', FALSE, 'Languages: Finnish, Swedish. Currency: Euro (EUR).');
INSERT INTO COUNTRY VALUES (61, 'FR', 'France', 'France', 'Paris', 'Europe', 643801, 67935660, 40886.0000, '1945-10-24', '2024-07-06 15:13:00', FALSE, 'Languages: French. Currency: Euro (EUR).');
INSERT INTO COUNTRY VALUES (62, 'GA', 'Gabon', 'Gabon', 'Libreville', 'Africa', 267668, 2388992, 8820.0000, '1960-09-20', '2024-07-07 12:26:00', FALSE, 'Languages: French. Currency: Central African CFA franc (XAF).');
INSERT INTO COUNTRY VALUES (63, 'GM', 'Gambia', 'The Gambia', 'Banjul', 'Africa', 11295, 2705992, 808.0000, '1965-09-21', '2024-07-08 09:39:00', FALSE, 'Languages: English. Currency: Gambian dalasi (GMD).');
INSERT INTO COUNTRY VALUES (64, 'GE', 'Georgia', 'საქართველო', 'Tbilisi', 'Asia', 69700, 3712502, 6675.0000, '1992-07-31', '2024-07-09 16:52:00', FALSE, 'Languages: Georgian. Currency: Georgian lari (GEL).');
INSERT INTO COUNTRY VALUES (65, 'DE', 'Germany', 'Deutschland', 'Berlin', 'Europe', 357588, 84079811, 48718.0000, '1973-09-18', '2024-07-10 13:05:00', FALSE, 'Languages: German. Currency: Euro (EUR).');
INSERT INTO COUNTRY VALUES (66, 'GH', 'Ghana', 'Ghana', 'Accra', 'Africa', 238533, 33475870, 2204.0000, '1957-03-08', '2024-07-11 10:18:00', FALSE, 'Languages: English. Currency: Ghanaian cedi (GHS).');
INSERT INTO COUNTRY VALUES (67, 'GR', 'Greece', 'Ελλάδα', 'Athens', 'Europe', 131957, 10426919, 20867.0000, '1945-10-25', '2024-07-12 17:31:00', FALSE, 'Languages: Greek. Currency: Euro (EUR).');
INSERT INTO COUNTRY VALUES (68, 'GD', 'Grenada', 'Grenada', 'St. George''s', 'North America', 344, 125438, 10830.0000, '1974-09-17', '2024-07-13 14:44:00', FALSE, 'Languages: English. Currency: East Caribbean dollar (XCD).');
INSERT INTO COUNTRY VALUES (69, 'GT', 'Guatemala', 'Guatemala', 'Guatemala City', 'North America', 108889, 17357886, 5473.0000, '1945-11-21', '2024-07-14 11:57:00', FALSE, 'Languages: Spanish. Currency: Guatemalan quetzal (GTQ).');
INSERT INTO COUNTRY VALUES (70, 'GN', 'Guinea', 'Guinée', 'Conakry', 'Africa', 245857, 13859341, 1189.0000, '1958-12-12', '2024-07-15 08:10:00', FALSE, 'Languages: French. Currency: Guinean franc (GNF).');
INSERT INTO COUNTRY VALUES (71, 'GW', 'Guinea-Bissau', 'Guiné-Bissau', 'Bissau', 'Africa', 36125, 2105566, 776.0000, '1974-09-17', '2024-07-16 15:23:00', FALSE, 'Languages: Portuguese. Currency: West African CFA franc (XOF).');
INSERT INTO COUNTRY VALUES (72, 'GY', 'Guyana', 'Guyana', 'Georgetown', 'South America', 214969, 808726, 18990.0000, '1966-09-20', '2024-07-17 12:36:00', FALSE, 'Languages: English. Currency: Guyanese dollar (GYD).');
INSERT INTO COUNTRY VALUES (73, 'HT', 'Haiti', 'Haïti / Ayiti', 'Port-au-Prince', 'North America', 27750, 11584996, 1748.0000, '1945-10-24', '2024-07-18 09:49:00', FALSE, 'Languages: French, Haitian Creole. Currency: Haitian gourde (HTG).');
INSERT INTO COUNTRY VALUES (74, 'HN', 'Honduras', 'Honduras', 'Tegucigalpa', 'North America', 112492, 10432860, 3040.0000, '1945-12-17', '2024-07-19 16:02:00', FALSE, 'Languages: Spanish. Currency: Honduran lempira (HNL).');
INSERT INTO COUNTRY VALUES (75, 'HU', 'Hungary', 'Magyarország', 'Budapest', 'Europe', 93028, 9643048, 18390.0000, '1955-12-14', '2024-07-20 13:15:00', TRUE, 'Languages: Hungarian. Currency: Hungarian forint (HUF).');
INSERT INTO COUNTRY VALUES (76, 'IS', 'Iceland', 'Ísland', 'Reykjavík', 'Europe', 103000, 382003, 73467.0000, '1946-11-19', '2024-07-21 10:28:00', FALSE, 'Languages: Icelandic. Currency: Icelandic króna (ISK).');
INSERT INTO COUNTRY VALUES (77, 'IN', 'India', 'भारत', 'New Delhi', 'Asia', 3287263, 1417173173, 2389.0000, '1945-10-30', '2024-07-22 17:41:00', FALSE, 'Languages: Hindi, English. Currency: Indian rupee (INR).');
INSERT INTO COUNTRY VALUES (78, 'ID', 'Indonesia', 'Indonesia', 'Jakarta', 'Asia', 1904569, 275501339, 4788.0000, '1950-09-28', '2024-07-23 14:54:00', FALSE, 'Languages: Indonesian. Currency: Indonesian rupiah (IDR).');
INSERT INTO COUNTRY VALUES (79, 'IR', 'Iran', 'ایران', 'Tehran', 'Asia', 1648195, 88550570, 4388.0000, '1945-10-24', '2024-07-24 11:07:00', FALSE, 'Languages: Persian. Currency: Iranian rial (IRR).');
INSERT INTO COUNTRY VALUES (80, 'IQ', 'Iraq', 'العراق', 'Baghdad', 'Asia', 438317, 44496122, 5937.0000, '1945-12-21', '2024-07-25 08:20:00', FALSE, 'Languages: Arabic, Kurdish. Currency: Iraqi dinar (IQD).');
INSERT INTO COUNTRY VALUES (81, 'IE', 'Ireland', 'Éire', 'Dublin', 'Europe', 70273, 5127170, 104039.0000, '1955-12-14', '2024-07-26 15:33:00', FALSE, 'Languages: Irish, English. Currency: Euro (EUR).');
INSERT INTO COUNTRY VALUES (82, 'IL', 'Israel', 'ישראל', 'Jerusalem', 'Asia', 22072, 9557500, 54660.0000, '1949-05-11', '2024-07-27 12:46:00', FALSE, 'Languages: Hebrew. Currency: Israeli new shekel (ILS).');
INSERT INTO COUNTRY VALUES (83, 'IT', 'Italy', 'Italia', 'Rome', 'Europe', 301340, 58940425, 34158.0000, '1955-12-14', '2024-07-28 09:59:00', FALSE, 'Languages: Italian. Currency: Euro (EUR).');
INSERT INTO COUNTRY VALUES (84, 'JM', 'Jamaica', 'Jamaica', 'Kingston', 'North America', 10991, 2827377, 6047.0000, '1962-09-18', '2024-07-01 16:12:00', FALSE, 'Languages: English. Currency: Jamaican dollar (JMD).');
INSERT INTO COUNTRY VALUES (85, 'JP', 'Japan', '日本', 'Tokyo', 'Asia', 377975, 125124989, 33815.0000, '1956-12-18', '2024-07-02 13:25:00', FALSE, 'Languages: Japanese. Currency: Japanese yen (JPY).');
INSERT INTO COUNTRY VALUES (86, 'JO', 'Jordan', 'الأردن', 'Amman', 'Asia', 89342, 11285869, 4311.0000, '1955-12-14', '2024-07-03 10:38:00', FALSE, 'Languages: Arabic. Currency: Jordanian dinar (JOD).');
INSERT INTO COUNTRY VALUES (87, 'KZ', 'Kazakhstan', 'Қазақстан', 'Astana', 'Asia', 2724900, 19621972, 11492.0000, '1992-03-02', '2024-07-04 17:51:00', TRUE, 'Languages: Kazakh, Russian. Currency: Kazakhstani tenge (KZT).');
INSERT INTO COUNTRY VALUES (88, 'KE', 'Kenya', 'Kenya', 'Nairobi', 'Africa', 580367, 54027487, 2099.0000, '1963-12-16', '2024-07-05 14:04:00', FALSE, 'Languages: Swahili, English. Currency: Kenyan shilling (KES).');
INSERT INTO COUNTRY VALUES (89, 'KI', 'Kiribati', 'Kiribati', 'Tarawa', 'Oceania', 811, 131232, 1702.0000, '1999-09-14', '2024-07-06 11:17:00', FALSE, 'Languages: English, Gilbertese. Currency: Australian dollar (AUD).');
INSERT INTO COUNTRY VALUES (90, 'KP', 'Korea (North)', '조선민주주의인민공화국', 'Pyongyang', 'Asia', 120538, 26069416, 640.0000, '1991-09-17', '2024-07-07 08:30:00', FALSE, 'Languages: Korean. Currency: North Korean won (KPW).');
INSERT INTO COUNTRY VALUES (91, 'KR', 'Korea (South)', '대한민국', 'Seoul', 'Asia', 100210, 51628117, 32423.0000, '1991-09-17', '2024-07-08 15:43:00', FALSE, 'Languages: Korean. Currency: South Korean won (KRW).');
INSERT INTO COUNTRY VALUES (92, 'XK', 'Kosovo', 'Kosova / Косово', 'Pristina', 'Europe', 10887, 1761985, 5340.0000, NULL, '2024-07-09 12:56:00', TRUE, 'Languages: Albanian, Serbian. Currency: Euro (EUR).');
INSERT INTO COUNTRY VALUES (93, 'KW', 'Kuwait', 'الكويت', 'Kuwait City', 'Asia', 17818, 4268873, 41080.0000, '1963-05-14', '2024-07-10 09:09:00', FALSE, 'Languages: Arabic. Currency: Kuwaiti dinar (KWD).');
INSERT INTO COUNTRY VALUES (94, 'KG', 'Kyrgyzstan', 'Кыргызстан', 'Bishkek', 'Asia', 199951, 6974900, 1655.0000, '1992-03-02', '2024-07-11 16:22:00', TRUE, 'Languages: Kyrgyz, Russian. Currency: Kyrgyzstani som (KGS).');
INSERT INTO COUNTRY VALUES (95, 'LA', 'Laos', 'ລາວ', 'Vientiane', 'Asia', 236800, 7529475, 2054.0000, '1955-12-14', '2024-07-12 13:35:00', TRUE, 'Languages: Lao. Currency: Lao kip (LAK).');
INSERT INTO COUNTRY VALUES (96, 'LV', 'Latvia', 'Latvija', 'Riga', 'Europe', 64589, 1879383, 21851.0000, '1991-09-17', '2024-07-13 10:48:00', FALSE, 'Languages: Latvian. Currency: Euro (EUR).');
INSERT INTO COUNTRY VALUES (97, 'LB', 'Lebanon', 'لبنان', 'Beirut', 'Asia', 10452, 5489739, 4136.0000, '1945-10-24', '2024-07-14 17:01:00', FALSE, 'Languages: Arabic. Currency: Lebanese pound (LBP).');
INSERT INTO COUNTRY VALUES (98, 'LS', 'Lesotho', 'Lesotho', 'Maseru', 'Africa', 30355, 2305825, 970.0000, '1966-10-17', '2024-07-15 14:14:00', TRUE, 'Languages: Sesotho, English. Currency: Lesotho loti (LSL).');
INSERT INTO COUNTRY VALUES (99, 'LR', 'Liberia', 'Liberia', 'Monrovia', 'Africa', 111369, 5302681, 754.0000, '1945-11-02', '2024-07-16 11:27:00', FALSE, 'Languages: English. Currency: Liberian dollar (LRD).');
INSERT INTO COUNTRY VALUES (100, 'LY', 'Libya', 'ليبيا', 'Tripoli', 'Africa', 1759540, 6812341, 6716.0000, '1955-12-14', '2024-07-17 08:40:00', FALSE, 'Languages: Arabic. Currency: Libyan dinar (LYD).');
INSERT INTO COUNTRY VALUES (101, 'LI', 'Liechtenstein', 'Liechtenstein', 'Vaduz', 'Europe', 160, 39327, 187267.0000, '1990-09-18', '2024-07-18 15:53:00', TRUE, 'Languages: German. Currency: Swiss franc (CHF).');
INSERT INTO COUNTRY VALUES (102, 'LT', 'Lithuania', 'Lietuva', 'Vilnius', 'Europe', 65300, 2831639, 25065.0000, '1991-09-17', '2024-07-19 12:06:00', FALSE, 'Languages: Lithuanian. Currency: Euro (EUR).');
INSERT INTO COUNTRY VALUES (103, 'LU', 'Luxembourg', 'Lëtzebuerg', 'Luxembourg', 'Europe', 2586, 653103, 125006.0000, '1945-10-24', '2024-07-20 09:19:00', TRUE, 'Languages: Luxembourgish, French, German. Currency: Euro (EUR).');
INSERT INTO COUNTRY VALUES (104, 'MG', 'Madagascar', 'Madagasikara', 'Antananarivo', 'Africa', 587041, 29611714, 517.0000, '1960-09-20', '2024-07-21 16:32:00', FALSE, 'Languages: Malagasy, French. Currency: Malagasy ariary (MGA).');
INSERT INTO COUNTRY VALUES (105, 'MW', 'Malawi', 'Malaŵi', 'Lilongwe', 'Africa', 118484, 20405317, 645.0000, '1964-12-01', '2024-07-22 13:45:00', TRUE, 'Languages: English, Chichewa. Currency: Malawian kwacha (MWK).');
INSERT INTO COUNTRY VALUES (106, 'MY', 'Malaysia', 'Malaysia', 'Kuala Lumpur', 'Asia', 330803, 33938221, 11993.0000, '1957-09-17', '2024-07-23 10:58:00', FALSE, 'Languages: Malay. Currency: Malaysian ringgit (MYR).');
INSERT INTO COUNTRY VALUES (107, 'MV', 'Maldives', 'ދިވެހިރާއްޖެ', 'Malé', 'Asia', 298, 523787, 11781.0000, '1965-09-21', '2024-07-24 17:11:00', FALSE, 'Languages: Dhivehi. Currency: Maldivian rufiyaa (MVR).');
INSERT INTO COUNTRY VALUES (108, 'ML', 'Mali', 'Mali', 'Bamako', 'Africa', 1240192, 22593590, 833.0000, '1960-09-28', '2024-07-25 14:24:00', TRUE, 'Languages: Bambara, French. Currency: West African CFA franc (XOF).');
INSERT INTO COUNTRY VALUES (109, 'MT', 'Malta', 'Malta', 'Valletta', 'Europe', 316, 531113, 34127.0000, '1964-12-01', '2024-07-26 11:37:00', FALSE, 'Languages: Maltese, English. Currency: Euro (EUR).');
INSERT INTO COUNTRY VALUES (110, 'MH', 'Marshall Islands', 'Aorōkin M̧ajeļ', 'Majuro', 'Oceania', 181, 41569, 6172.0000, '1991-09-17', '2024-07-27 08:50:00', FALSE, 'Languages: Marshallese, English. Currency: United States dollar (USD).');
INSERT INTO COUNTRY VALUES (111, 'MR', 'Mauritania', 'موريتانيا', 'Nouakchott', 'Africa', 1030700, 4736139, 2191.0000, '1961-10-27', '2024-07-28 15:03:00', FALSE, 'Languages: Arabic. Currency: Mauritanian ouguiya (MRU).');
INSERT INTO COUNTRY VALUES (112, 'MU', 'Mauritius', 'Maurice', 'Port Louis', 'Africa', 2040, 1262523, 10216.0000, '1968-04-24', '2024-07-01 12:16:00', FALSE, 'Languages: English, French. Currency: Mauritian rupee (MUR).');
INSERT INTO COUNTRY VALUES (113, 'MX', 'Mexico', 'México', 'Mexico City', 'North America', 1964375, 127504125, 11497.0000, '1945-11-07', '2024-07-02 09:29:00', FALSE, 'Languages: Spanish. Currency: Mexican peso (MXN).');
INSERT INTO COUNTRY VALUES (114, 'FM', 'Micronesia', 'Micronesia', 'Palikir', 'Oceania', 702, 114164, 3714.0000, '1991-09-17', '2024-07-03 16:42:00', FALSE, 'Languages: English. Currency: United States dollar (USD).');
INSERT INTO COUNTRY VALUES (115, 'MD', 'Moldova', 'Moldova', 'Chișinău', 'Europe', 33846, 2538894, 5714.0000, '1992-03-02', '2024-07-04 13:55:00', TRUE, 'Languages: Romanian. Currency: Moldovan leu (MDL).');
INSERT INTO COUNTRY VALUES (116, 'MC', 'Monaco', 'Monaco', 'Monaco', 'Europe', 2, 36469, 240862.0000, '1993-05-28', '2024-07-05 10:08:00', FALSE, 'Languages: French. Currency: Euro (EUR).');
INSERT INTO COUNTRY VALUES (117, 'MN', 'Mongolia', 'Монгол Улс', 'Ulaanbaatar', 'Asia', 1564116, 3398366, 5046.0000, '1961-10-27', '2024-07-06 17:21:00', TRUE, 'Languages: Mongolian. Currency: Mongolian tögrög (MNT).');
INSERT INTO COUNTRY VALUES (118, 'ME', 'Montenegro', 'Црна Гора / Crna Gora', 'Podgorica', 'Europe', 13812, 627082, 10093.0000, '2006-06-28', '2024-07-07 14:34:00', FALSE, 'Languages: Montenegrin. Currency: Euro (EUR).');
INSERT INTO COUNTRY VALUES (119, 'MA', 'Morocco', 'المغرب', 'Rabat', 'Africa', 446550, 37457971, 3442.0000, '1956-11-12', '2024-07-08 11:47:00', FALSE, 'Languages: Arabic, Berber. Currency: Moroccan dirham (MAD).');
INSERT INTO COUNTRY VALUES (120, 'MZ', 'Mozambique', 'Moçambique', 'Maputo', 'Africa', 801590, 32969518, 558.0000, '1975-09-16', '2024-07-09 08:00:00', FALSE, 'Languages: Portuguese. Currency: Mozambican metical (MZN).');
INSERT INTO COUNTRY VALUES (121, 'MM', 'Myanmar', 'မြန်မာ', 'Naypyidaw', 'Asia', 676578, 54179306, 1096.0000, '1948-04-19', '2024-07-10 15:13:00', FALSE, 'Languages: Burmese. Currency: Myanmar kyat (MMK).');
INSERT INTO COUNTRY VALUES (122, 'NA', 'Namibia', 'Namibia', 'Windhoek', 'Africa', 825615, 2567012, 4911.0000, '1990-04-23', '2024-07-11 12:26:00', FALSE, 'Languages: English. Currency: Namibian dollar (NAD).');
INSERT INTO COUNTRY VALUES (123, 'NR', 'Nauru', 'Naoero', 'Yaren', 'Oceania', 21, 12668, 12390.0000, '1999-09-14', '2024-07-12 09:39:00', FALSE, 'Languages: Nauruan, English. Currency: Australian dollar (AUD).');
INSERT INTO COUNTRY VALUES (124, 'NP', 'Nepal', 'नेपाल', 'Kathmandu', 'Asia', 147181, 30547580, 1337.0000, '1955-12-14', '2024-07-13 16:52:00', TRUE, 'Languages: Nepali. Currency: Nepalese rupee (NPR).');
INSERT INTO COUNTRY VALUES (125, 'NL', 'Netherlands', 'Nederland', 'Amsterdam', 'Europe', 41850, 17700982, 57025.0000, '1945-12-10', '2024-07-14 13:05:00', FALSE, 'Languages: Dutch. Currency: Euro (EUR).');
INSERT INTO COUNTRY VALUES (126, 'NZ', 'New Zealand', 'New Zealand / Aotearoa', 'Wellington', 'Oceania', 268021, 5124100, 47208.0000, '1945-10-24', '2024-07-15 10:18:00', FALSE, 'Languages: English, Māori. Currency: New Zealand dollar (NZD).');
INSERT INTO COUNTRY VALUES (127, 'NI', 'Nicaragua', 'Nicaragua', 'Managua', 'North America', 130373, 6948392, 2255.0000, '1945-10-24', '2024-07-16 17:31:00', FALSE, 'Languages: Spanish. Currency: Nicaraguan córdoba (NIO).');
INSERT INTO COUNTRY VALUES (128, 'NE', 'Niger', 'Niger', 'Niamey', 'Africa', 1267000, 26207977, 585.0000, '1960-09-20', '2024-07-17 14:44:00', TRUE, 'Languages: French. Currency: West African CFA franc (XOF).');
INSERT INTO COUNTRY VALUES (129, 'NG', 'Nigeria', 'Nigeria', 'Abuja', 'Africa', 923768, 218541212, 2184.0000, '1960-10-07', '2024-07-18 11:57:00', FALSE, 'Languages: English. Currency: Nigerian naira (NGN).');
INSERT INTO COUNTRY VALUES (130, 'MK', 'North Macedonia', 'Северна Македонија', 'Skopje', 'Europe', 25713, 1836713, 6591.0000, '1993-04-08', '2024-07-19 08:10:00', TRUE, 'Languages: Macedonian, Albanian. Currency: Macedonian denar (MKD).');
INSERT INTO COUNTRY VALUES (131, 'NO', 'Norway', 'Norge', 'Oslo', 'Europe', 385207, 5457127, 106149.0000, '1945-11-27', '2024-07-20 15:23:00', FALSE, 'Languages: Norwegian. Currency: Norwegian krone (NOK).');
INSERT INTO COUNTRY VALUES (132, 'OM', 'Oman', 'عُمان', 'Muscat', 'Asia', 309500, 4576298, 25057.0000, '1971-10-07', '2024-07-21 12:36:00', FALSE, 'Languages: Arabic. Currency: Omani rial (OMR).');
INSERT INTO COUNTRY VALUES (133, 'PK', 'Pakistan', 'پاکستان', 'Islamabad', 'Asia', 881913, 235824862, 1589.0000, '1947-09-30', '2024-07-22 09:49:00', FALSE, 'Languages: Urdu, English. Currency: Pakistani rupee (PKR).');
INSERT INTO COUNTRY VALUES (134, 'PW', 'Palau', 'Belau', 'Ngerulmud', 'Oceania', 459, 18055, 12920.0000, '1994-12-15', '2024-07-23 16:02:00', FALSE, 'Languages: Palauan, English. Currency: United States dollar (USD).');
INSERT INTO COUNTRY VALUES (135, 'PS', 'Palestine', 'فلسطين', 'Ramallah', 'Asia', 6020, 5043612, 3789.0000, NULL, '2024-07-24 13:15:00', FALSE, 'Languages: Arabic. Currency: Israeli new shekel (ILS).');
INSERT INTO COUNTRY VALUES (136, 'PA', 'Panama', 'Panamá', 'Panama City', 'North America', 75417, 4408581, 17358.0000, '1945-11-13', '2024-07-25 10:28:00', FALSE, 'Languages: Spanish. Currency: Panamanian balboa (PAB).');
INSERT INTO COUNTRY VALUES (137, 'PG', 'Papua New Guinea', 'Papua Niugini', 'Port Moresby', 'Oceania', 462840, 10142619, 3116.0000, '1975-10-10', '2024-07-26 17:41:00', FALSE, 'Languages: English, Tok Pisin, Hiri Motu. Currency: Papua New Guinean kina (PGK).');
INSERT INTO COUNTRY VALUES (138, 'PY', 'Paraguay', 'Paraguay / Paraguái', 'Asunción', 'South America', 406752, 6780744, 6153.0000, '1945-10-24', '2024-07-27 14:54:00', TRUE, 'Languages: Spanish, Guarani. Currency: Paraguayan guaraní (PYG).');
INSERT INTO COUNTRY VALUES (139, 'PE', 'Peru', 'Perú', 'Lima', 'South America', 1285216, 34049588, 7126.0000, '1945-10-31', '2024-07-28 11:07:00', FALSE, 'Languages: Spanish, Quechua, Aymara. Currency: Peruvian sol (PEN).');
INSERT INTO COUNTRY VALUES (140, 'PH', 'Philippines', 'Pilipinas', 'Manila', 'Asia', 300000, 115559009, 3499.0000, '1945-10-24', '2024-07-01 08:20:00', FALSE, 'Languages: Filipino, English. Currency: Philippine peso (PHP).');
INSERT INTO COUNTRY VALUES (141, 'PL', 'Poland', 'Polska', 'Warsaw', 'Europe', 312696, 36821749, 18688.0000, '1945-10-24', '2024-07-02 15:33:00', FALSE, 'Languages: Polish. Currency: Polish złoty (PLN).');
INSERT INTO COUNTRY VALUES (142, 'PT', 'Portugal', 'Portugal', 'Lisbon', 'Europe', 92212, 10409704, 24515.0000, '1955-12-14', '2024-07-03 12:46:00', FALSE, 'Languages: Portuguese. Currency: Euro (EUR).');
INSERT INTO COUNTRY VALUES (143, 'QA', 'Qatar', 'قطر', 'Doha', 'Asia', 11586, 2695122, 87661.0000, '1971-09-21', '2024-07-04 09:59:00', FALSE, 'Languages: Arabic. Currency: Qatari riyal (QAR).');
INSERT INTO COUNTRY VALUES (144, 'RO', 'Romania', 'România', 'Bucharest', 'Europe', 238397, 19047009, 15786.0000, '1955-12-14', '2024-07-05 16:12:00', FALSE, 'Languages: Romanian. Currency: Romanian leu (RON).');
INSERT INTO COUNTRY VALUES (145, 'RU', 'Russia', 'Россия', 'Moscow', 'Europe', 17098246, 144236933, 15270.0000, '1945-10-24', '2024-07-06 13:25:00', FALSE, 'Languages: Russian. Currency: Russian ruble (RUB).');
INSERT INTO COUNTRY VALUES (146, 'RW', 'Rwanda', 'Rwanda', 'Kigali', 'Africa', 26338, 13776698, 966.0000, '1962-09-18', '2024-07-07 10:38:00', TRUE, 'Languages: Kinyarwanda, French, English, Swahili. Currency: Rwandan franc (RWF).');
INSERT INTO COUNTRY VALUES (147, 'KN', 'Saint Kitts and Nevis', 'Saint Kitts and Nevis', 'Basseterre', 'North America', 261, 47657, 19920.0000, '1983-09-23', '2024-07-08 17:51:00', FALSE, 'Languages: English. Currency: East Caribbean dollar (XCD).');
INSERT INTO COUNTRY VALUES (148, 'LC', 'Saint Lucia', 'Saint Lucia', 'Castries', 'North America', 617, 179857, 11419.0000, '1979-09-18', '2024-07-09 14:04:00', FALSE, 'Languages: English. Currency: East Caribbean dollar (XCD).');
INSERT INTO COUNTRY VALUES (149, 'VC', 'Saint Vincent and the Grenadines', 'Saint Vincent and the Grenadines', 'Kingstown', 'North America', 389, 103948, 9254.0000, '1980-09-16', '2024-07-10 11:17:00', FALSE, 'Languages: English. Currency: East Caribbean dollar (XCD).');
INSERT INTO COUNTRY VALUES (150, 'WS', 'Samoa', 'Sāmoa', 'Apia', 'Oceania', 2842, 222382, 3857.0000, '1976-12-15', '2024-07-11 08:30:00', FALSE, 'Languages: Samoan, English. Currency: Samoan tālā (WST).');
INSERT INTO COUNTRY VALUES (151, 'SM', 'San Marino', 'San Marino', 'San Marino', 'Europe', 61, 33660, 52949.0000, '1992-03-02', '2024-07-12 15:43:00', TRUE, 'Languages: Italian. Currency: Euro (EUR).');
INSERT INTO COUNTRY VALUES (152, 'ST', 'São Tomé and Príncipe', 'São Tomé e Príncipe', 'São Tomé', 'Africa', 964, 227380, 2410.0000, '1975-09-16', '2024-07-13 12:56:00', FALSE, 'Languages: Portuguese. Currency: São Tomé and Príncipe dobra (STN).');
INSERT INTO COUNTRY VALUES (153, 'SA', 'Saudi Arabia', 'السعودية', 'Riyadh', 'Asia', 2149690, 36408820, 30448.0000, '1945-10-24', '2024-07-14 09:09:00', FALSE, 'Languages: Arabic. Currency: Saudi riyal (SAR).');
INSERT INTO COUNTRY VALUES (154, 'SN', 'Senegal', 'Sénégal', 'Dakar', 'Africa', 196722, 17316449, 1599.0000, '1960-09-28', '2024-07-15 16:22:00', FALSE, 'Languages: French. Currency: West African CFA franc (XOF).');
INSERT INTO COUNTRY VALUES (155, 'RS', 'Serbia', 'Србија', 'Belgrade', 'Europe', 88361, 6664449, 9538.0000, '2000-11-01', '2024-07-16 13:35:00', TRUE, 'Languages: Serbian. Currency: Serbian dinar (RSD).');
INSERT INTO COUNTRY VALUES (156, 'SC', 'Seychelles', 'Seychelles / Sesel', 'Victoria', 'Africa', 459, 119878, 15989.0000, '1976-09-21', '2024-07-17 10:48:00', FALSE, 'Languages: Seychellois Creole, English, French. Currency: Seychellois rupee (SCR).');
INSERT INTO COUNTRY VALUES (157, 'SL', 'Sierra Leone', 'Sierra Leone', 'Freetown', 'Africa', 71740, 8605718, 461.0000, '1961-09-27', '2024-07-18 17:01:00', FALSE, 'Languages: English. Currency: Sierra Leonean leone (SLE).');
INSERT INTO COUNTRY VALUES (158, 'SG', 'Singapore', 'Singapura / 新加坡 / சிங்கப்பூர்', 'Singapore', 'Asia', 734, 5637022, 82808.0000, '1965-09-21', '2024-07-19 14:14:00', FALSE, 'Languages: English, Malay, Mandarin, Tamil. Currency: Singapore dollar (SGD).');
INSERT INTO COUNTRY VALUES (159, 'SK', 'Slovakia', 'Slovensko', 'Bratislava', 'Europe', 49035, 5431752, 21258.0000, '1993-01-19', '2024-07-20 11:27:00', TRUE, 'Languages: Slovak. Currency: Euro (EUR).');
INSERT INTO COUNTRY VALUES (160, 'SI', 'Slovenia', 'Slovenija', 'Ljubljana', 'Europe', 20273, 2111986, 28439.0000, '1992-05-22', '2024-07-21 08:40:00', FALSE, 'Languages: Slovene. Currency: Euro (EUR).');
INSERT INTO COUNTRY VALUES (161, 'SB', 'Solomon Islands', 'Solomon Islands', 'Honiara', 'Oceania', 28896, 724273, 2205.0000, '1978-09-19', '2024-07-22 15:53:00', FALSE, 'Languages: English. Currency: Solomon Islands dollar (SBD).');
INSERT INTO COUNTRY VALUES (162, 'SO', 'Somalia', 'Soomaaliya / الصومال', 'Mogadishu', 'Africa', 637657, 17597511, 592.0000, '1960-09-20', '2024-07-23 12:06:00', FALSE, 'Languages: Somali, Arabic. Currency: Somali shilling (SOS).');
INSERT INTO COUNTRY VALUES (163, 'ZA', 'South Africa', 'South Africa / Suid-Afrika', 'Pretoria', 'Africa', 1221037, 59893885, 6776.0000, '1945-11-07', '2024-07-24 09:19:00', FALSE, 'Languages: Zulu, Xhosa, Afrikaans, English and eight more. Currency: South African rand (ZAR).');
INSERT INTO COUNTRY VALUES (164, 'SS', 'South Sudan', 'South Sudan', 'Juba', 'Africa', 619745, 10913164, 1072.0000, '2011-07-14', '2024-07-25 16:32:00', TRUE, 'Languages: English. Currency: South Sudanese pound (SSP).');
INSERT INTO COUNTRY VALUES (165, 'ES', 'Spain', 'España', 'Madrid', 'Europe', 505990, 47615034, 29350.0000, '1955-12-14', '2024-07-26 13:45:00', FALSE, 'Languages: Spanish. Currency: Euro (EUR).');
INSERT INTO COUNTRY VALUES (166, 'LK', 'Sri Lanka', 'ශ්‍රී ලංකාව / இலங்கை', 'Sri Jayawardenepura Kotte', 'Asia', 65610, 22181000, 3354.0000, '1955-12-14', '2024-07-27 10:58:00', FALSE, 'Languages: Sinhala, Tamil. Currency: Sri Lankan rupee (LKR).');
INSERT INTO COUNTRY VALUES (167, 'SD', 'Sudan', 'السودان', 'Khartoum', 'Africa', 1886068, 46874204, 1102.0000, '1956-11-12', '2024-07-28 17:11:00', FALSE, 'Languages: Arabic, English. Currency: Sudanese pound (SDG).');
INSERT INTO COUNTRY VALUES (168, 'SR', 'Suriname', 'Suriname', 'Paramaribo', 'South America', 163820, 618040, 5859.0000, '1975-12-04', '2024-07-01 14:24:00', FALSE, 'Languages: Dutch. Currency: Surinamese dollar (SRD).');
INSERT INTO COUNTRY VALUES (169, 'SE', 'Sweden', 'Sverige', 'Stockholm', 'Europe', 450295, 10486941, 56424.0000, '1946-11-19', '2024-07-02 11:37:00', FALSE, 'Languages: Swedish. Currency: Swedish krona (SEK).');
INSERT INTO COUNTRY VALUES (170, 'CH', 'Switzerland', 'Schweiz / Suisse / Svizzera / Svizra', 'Bern', 'Europe', 41285, 8775760, 93260.0000, '2002-09-10', '2024-07-03 08:50:00', TRUE, 'Languages: German, French, Italian, Romansh. Currency: Swiss franc (CHF).');
INSERT INTO COUNTRY VALUES (171, 'SY', 'Syria', 'سوريا', 'Damascus', 'Asia', 185180, 22125249, 1100.0000, '1945-10-24', '2024-07-04 15:03:00', FALSE, 'Languages: Arabic. Currency: Syrian pound (SYP).');
INSERT INTO COUNTRY VALUES (172, 'TW', 'Taiwan', '臺灣', 'Taipei', 'Asia', 36197, 23894394, 32756.0000, NULL, '2024-07-05 12:16:00', FALSE, 'Languages: Mandarin Chinese. Currency: New Taiwan dollar (TWD).');
INSERT INTO COUNTRY VALUES (173, 'TJ', 'Tajikistan', 'Тоҷикистон', 'Dushanbe', 'Asia', 143100, 9952787, 1054.0000, '1992-03-02', '2024-07-06 09:29:00', TRUE, 'Languages: Tajik. Currency: Tajikistani somoni (TJS).');
INSERT INTO COUNTRY VALUES (174, 'TZ', 'Tanzania', 'Tanzania', 'Dodoma', 'Africa', 947303, 65497748, 1192.0000, '1961-12-14', '2024-07-07 16:42:00', FALSE, 'Languages: Swahili, English. Currency: Tanzanian shilling (TZS).');
INSERT INTO COUNTRY VALUES (175, 'TH', 'Thailand', 'ประเทศไทย', 'Bangkok', 'Asia', 513120, 71697030, 6910.0000, '1946-12-16', '2024-07-08 13:55:00', FALSE, 'Languages: Thai. Currency: Thai baht (THB).');
INSERT INTO COUNTRY VALUES (176, 'TL', 'Timor-Leste', 'Timór Lorosa''e', 'Dili', 'Asia', 14874, 1341296, 2389.0000, '2002-09-27', '2024-07-09 10:08:00', FALSE, 'Languages: Tetum, Portuguese. Currency: United States dollar (USD).');
INSERT INTO COUNTRY VALUES (177, 'TG', 'Togo', 'Togo', 'Lomé', 'Africa', 56785, 8848699, 943.0000, '1960-09-20', '2024-07-10 17:21:00', FALSE, 'Languages: French. Currency: West African CFA franc (XOF).');
INSERT INTO COUNTRY VALUES (178, 'TO', 'Tonga', 'Tonga', 'Nukuʻalofa', 'Oceania', 747, 106858, 4426.0000, '1999-09-14', '2024-07-11 14:34:00', FALSE, 'Languages: Tongan, English. Currency: Tongan paʻanga (TOP).');
INSERT INTO COUNTRY VALUES (179, 'TT', 'Trinidad and Tobago', 'Trinidad and Tobago', 'Port of Spain', 'North America', 5128, 1531044, 18032.0000, '1962-09-18', '2024-07-12 11:47:00', FALSE, 'Languages: English. Currency: Trinidad and Tobago dollar (TTD).');
INSERT INTO COUNTRY VALUES (180, 'TN', 'Tunisia', 'تونس', 'Tunis', 'Africa', 163610, 12356117, 3747.0000, '1956-11-12', '2024-07-13 08:00:00', FALSE, 'Languages: Arabic. Currency: Tunisian dinar (TND).');
INSERT INTO COUNTRY VALUES (181, 'TR', 'Türkiye', 'Türkiye', 'Ankara', 'Asia', 783562, 84979913, 10674.0000, '1945-10-24', '2024-07-14 15:13:00', FALSE, 'Languages: Turkish. Currency: Turkish lira (TRY).');
INSERT INTO COUNTRY VALUES (182, 'TM', 'Turkmenistan', 'Türkmenistan', 'Ashgabat', 'Asia', 491210, 6430770, 8793.0000, '1992-03-02', '2024-07-15 12:26:00', TRUE, 'Languages: Turkmen. Currency: Turkmenistan manat (TMT).');
INSERT INTO COUNTRY VALUES (183, 'TV', 'Tuvalu', 'Tuvalu', 'Funafuti', 'Oceania', 26, 11312, 5150.0000, '2000-09-05', '2024-07-16 09:39:00', FALSE, 'Languages: Tuvaluan, English. Currency: Australian dollar (AUD).');
INSERT INTO COUNTRY VALUES (184, 'UG', 'Uganda', 'Uganda', 'Kampala', 'Africa', 241038, 47249585, 964.0000, '1962-10-25', '2024-07-17 16:52:00', TRUE, 'Languages: English, Swahili. Currency: Ugandan shilling (UGX).');
INSERT INTO COUNTRY VALUES (185, 'UA', 'Ukraine', 'Україна', 'Kyiv', 'Europe', 603550, 36744634, 4534.0000, '1945-10-24', '2024-07-18 13:05:00', FALSE, 'Languages: Ukrainian. Currency: Ukrainian hryvnia (UAH).');
INSERT INTO COUNTRY VALUES (186, 'AE', 'United Arab Emirates', 'الإمارات العربية المتحدة', 'Abu Dhabi', 'Asia', 83600, 9441129, 53758.0000, '1971-12-09', '2024-07-19 10:18:00', FALSE, 'Languages: Arabic. Currency: UAE dirham (AED).');
INSERT INTO COUNTRY VALUES (187, 'GB', 'United Kingdom', 'United Kingdom', 'London', 'Europe', 242495, 66971411, 45850.0000, '1945-10-24', '2024-07-20 17:31:00', FALSE, 'Languages: English. Currency: Pound sterling (GBP).');
INSERT INTO COUNTRY VALUES (188, 'US', 'United States', 'United States', 'Washington, D.C.', 'North America', 9833520, 333287557, 76330.0000, '1945-10-24', '2024-07-21 14:44:00', FALSE, 'Languages: English. Currency: United States dollar (USD).');
INSERT INTO COUNTRY VALUES (189, 'UY', 'Uruguay', 'Uruguay', 'Montevideo', 'South America', 176215, 3422794, 20795.0000, '1945-12-18', '2024-07-22 11:57:00', FALSE, 'Languages: Spanish. Currency: Uruguayan peso (UYU).');
INSERT INTO COUNTRY VALUES (190, 'UZ', 'Uzbekistan', 'Oʻzbekiston', 'Tashkent', 'Asia', 448978, 35648100, 2255.0000, '1992-03-02', '2024-07-23 08:10:00', TRUE, 'Languages: Uzbek. Currency: Uzbekistani som (UZS).');
INSERT INTO COUNTRY VALUES (191, 'VU', 'Vanuatu', 'Vanuatu', 'Port Vila', 'Oceania', 12189, 326740, 3188.0000, '1981-09-15', '2024-07-24 15:23:00', FALSE, 'Languages: Bislama, English, French. Currency: Vanuatu vatu (VUV).');
INSERT INTO COUNTRY VALUES (192, 'VA', 'Vatican City', 'Civitas Vaticana / Città del Vaticano', 'Vatican City', 'Europe', 0.49, 764, NULL, NULL, '2024-07-25 12:36:00', TRUE, 'Languages: Latin, Italian. Currency: Euro (EUR).');
INSERT INTO COUNTRY VALUES (193, 'VE', 'Venezuela', 'Venezuela', 'Caracas', 'South America', 916445, 28301696, 3640.0000, '1945-11-15', '2024-07-26 09:49:00', FALSE, 'Languages: Spanish. Currency: Venezuelan bolívar (VES).');
INSERT INTO COUNTRY VALUES (194, 'VN', 'Vietnam', 'Việt Nam', 'Hanoi', 'Asia', 331212, 98186856, 4164.0000, '1977-09-20', '2024-07-27 16:02:00', FALSE, 'Languages: Vietnamese. Currency: Vietnamese đồng (VND).');
INSERT INTO COUNTRY VALUES (195, 'YE', 'Yemen', 'اليمن', 'Sana''a', 'Asia', 527968, 33696614, 650.0000, '1947-09-30', '2024-07-28 13:15:00', FALSE, 'Languages: Arabic. Currency: Yemeni rial (YER).');
INSERT INTO COUNTRY VALUES (196, 'ZM', 'Zambia', 'Zambia', 'Lusaka', 'Africa', 752612, 20017675, 1487.0000, '1964-12-01', '2024-07-01 10:28:00', TRUE, 'Languages: English. Currency: Zambian kwacha (ZMW).');
INSERT INTO COUNTRY VALUES (197, 'ZW', 'Zimbabwe', 'Zimbabwe', 'Harare', 'Africa', 390757, 16320537, 1676.0000, '1980-08-25', '2024-07-02 17:41:00', TRUE, 'Languages: English, Shona, Ndebele and thirteen more. Currency: Zimbabwean dollar (ZWL).');
COMMIT;
