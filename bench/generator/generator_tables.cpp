// bench/generator/generator_tables.cpp: the tables; their order is part of the generated output.
#include "bench/generator/generator_tables.h"

namespace {

constexpr std::string_view kMaleGiven[] = {
    "John",     "William",   "Thomas",  "James",     "George",   "Charles",  "Henry",  "Robert",
    "Richard",  "Edward",    "Joseph",  "Samuel",    "David",    "Daniel",   "Peter",  "Francis",
    "Walter",   "Arthur",    "Albert",  "Frederick", "Alfred",   "Ernest",   "Harold", "Hugh",
    "Patrick",  "Michael",   "Andrew",  "Alexander", "Benjamin", "Isaac",    "Jacob",  "Matthew",
    "Nicholas", "Philip",    "Stephen", "Timothy",   "Anthony",  "Lawrence", "Edmund", "Ralph",
    "Roger",    "Simon",     "Gilbert", "Owen",      "Evan",     "Angus",    "Duncan", "Hans",
    "Johann",   "Friedrich", "Karl",    "Wilhelm",   "Pieter",   "Jan",      "Lars",   "Nils",
    "Erik",     "Pierre",    "Louis",   "Antoine",   "Jean",     "Giovanni", "Carlos", "José",
    "Jörg",     "Władysław", "André",
};

constexpr std::string_view kFemaleGiven[] = {
    "Mary",       "Elizabeth", "Sarah",      "Anne",    "Jane",     "Margaret", "Catherine",
    "Ellen",      "Alice",     "Martha",     "Hannah",  "Susannah", "Emma",     "Emily",
    "Charlotte",  "Harriet",   "Louisa",     "Frances", "Eliza",    "Ann",      "Agnes",
    "Isabella",   "Janet",     "Christian",  "Bridget", "Honora",   "Rose",     "Florence",
    "Edith",      "Ada",       "Lucy",       "Grace",   "Rebecca",  "Rachel",   "Esther",
    "Ruth",       "Dorothy",   "Joan",       "Judith",  "Maud",     "Matilda",  "Eleanor",
    "Beatrice",   "Cecily",    "Winifred",   "Gwen",    "Morag",    "Anna",     "Maria",
    "Johanna",    "Katharina", "Margarethe", "Ingrid",  "Karin",    "Marie",    "Jeanne",
    "Sophie",     "Teresa",    "Lucia",      "Jadwiga", "Brigitte", "Renée",    "Zoë",
    "Małgorzata", "Hélène",
};

constexpr std::string_view kSurnames[] = {
    "Smith",     "Jones",     "Taylor",      "Brown",       "Williams",   "Wilson",     "Johnson",
    "Davies",    "Robinson",  "Wright",      "Thompson",    "Evans",      "Walker",     "White",
    "Roberts",   "Green",     "Hall",        "Wood",        "Jackson",    "Clarke",     "Harris",
    "Lewis",     "Clark",     "Cooper",      "King",        "Baker",      "Harrison",   "Morgan",
    "Allen",     "Hughes",    "Edwards",     "Hill",        "Moore",      "Turner",     "Parker",
    "Ward",      "Martin",    "Cook",        "Price",       "Bennett",    "Carter",     "Phillips",
    "Mitchell",  "Shaw",      "Lee",         "Young",       "Watson",     "Fisher",     "Ellis",
    "Fletcher",  "Marshall",  "Gibson",      "Mason",       "Palmer",     "Hunt",       "Holmes",
    "Mills",     "Barnes",    "Knight",      "Lloyd",       "Butler",     "Russell",    "Barker",
    "Stevens",   "Jenkins",   "Murphy",      "Kelly",       "O'Brien",    "Ryan",       "Walsh",
    "Byrne",     "O'Connor",  "McCarthy",    "Doyle",       "Campbell",   "Stewart",    "MacDonald",
    "Robertson", "Reid",      "Murray",      "Fraser",      "Ferguson",   "Sinclair",   "Gunn",
    "Pritchard", "Vaughan",   "Howell",      "Meredith",    "Rees",       "Griffiths",  "Miller",
    "Anderson",  "Nelson",    "Hayes",       "Porter",      "Whitfield",  "Ashdown",    "Blackwood",
    "Penhallow", "Thornbury", "Fairweather", "Underhill",   "Schmidt",    "Schneider",  "Fischer",
    "Weber",     "Becker",    "Hoffmann",    "Wagner",      "Schulz",     "Zimmermann", "Jansen",
    "de Vries",  "van Dijk",  "Bakker",      "Visser",      "Andersson",  "Nilsson",    "Larsen",
    "Hansen",    "Johansen",  "Dupont",      "Martel",      "Moreau",     "Girard",     "Rossi",
    "Bianchi",   "Garcia",    "Fernandez",   "Nowak",       "Kowalski",   "Kowalczyk",  "Novak",
    "Horvath",   "Müller",    "Lefèvre",     "Łukasiewicz", "Söderström", "Dvořák",     "Gómez",
};

constexpr std::string_view kPrefixes[] = {"Rev.", "Dr.", "Sir", "Capt.", "Col.", "Lt."};
constexpr std::string_view kSuffixes[] = {"Jr.", "Sr.", "II", "III", "Esq."};

constexpr std::string_view kPlaces[] = {
    "Ashford, Kent, England",
    "Canterbury, Kent, England",
    "Maidstone, Kent, England",
    "Lewes, Sussex, England",
    "Chichester, Sussex, England",
    "Guildford, Surrey, England",
    "Reading, Berkshire, England",
    "Oxford, Oxfordshire, England",
    "Banbury, Oxfordshire, England",
    "Norwich, Norfolk, England",
    "King's Lynn, Norfolk, England",
    "Ipswich, Suffolk, England",
    "Colchester, Essex, England",
    "Chelmsford, Essex, England",
    "St Albans, Hertfordshire, England",
    "Bedford, Bedfordshire, England",
    "Northampton, Northamptonshire, England",
    "Leicester, Leicestershire, England",
    "Nottingham, Nottinghamshire, England",
    "Lincoln, Lincolnshire, England",
    "York, Yorkshire, England",
    "Halifax, Yorkshire, England",
    "Whitby, Yorkshire, England",
    "Lancaster, Lancashire, England",
    "Preston, Lancashire, England",
    "Kendal, Westmorland, England",
    "Carlisle, Cumberland, England",
    "Durham, Durham, England",
    "Hexham, Northumberland, England",
    "Chester, Cheshire, England",
    "Ludlow, Shropshire, England",
    "Hereford, Herefordshire, England",
    "Worcester, Worcestershire, England",
    "Gloucester, Gloucestershire, England",
    "Bath, Somerset, England",
    "Wells, Somerset, England",
    "Exeter, Devon, England",
    "Barnstaple, Devon, England",
    "Truro, Cornwall, England",
    "Penzance, Cornwall, England",
    "Salisbury, Wiltshire, England",
    "Dorchester, Dorset, England",
    "Winchester, Hampshire, England",
    "Southampton, Hampshire, England",
    "Cardiff, Glamorgan, Wales",
    "Swansea, Glamorgan, Wales",
    "Carmarthen, Carmarthenshire, Wales",
    "Bangor, Caernarvonshire, Wales",
    "Brecon, Brecknockshire, Wales",
    "Edinburgh, Midlothian, Scotland",
    "Glasgow, Lanarkshire, Scotland",
    "Perth, Perthshire, Scotland",
    "Aberdeen, Aberdeenshire, Scotland",
    "Inverness, Inverness-shire, Scotland",
    "Wick, Caithness, Scotland",
    "Dumfries, Dumfriesshire, Scotland",
    "Cork, County Cork, Ireland",
    "Skibbereen, County Cork, Ireland",
    "Tralee, County Kerry, Ireland",
    "Galway, County Galway, Ireland",
    "Sligo, County Sligo, Ireland",
    "Kilkenny, County Kilkenny, Ireland",
    "Boston, Suffolk, Massachusetts, USA",
    "Salem, Essex, Massachusetts, USA",
    "Hartford, Hartford, Connecticut, USA",
    "Albany, Albany, New York, USA",
    "Philadelphia, Philadelphia, Pennsylvania, USA",
    "Lancaster, Lancaster, Pennsylvania, USA",
    "Richmond, Henrico, Virginia, USA",
    "Charleston, Charleston, South Carolina, USA",
    "Cincinnati, Hamilton, Ohio, USA",
    "Springfield, Sangamon, Illinois, USA",
    "Halifax, Halifax, Nova Scotia, Canada",
    "Kingston, Frontenac, Ontario, Canada",
    "Québec, Québec, Canada",
    "Montréal, Québec, Canada",
    "Bremen, Bremen, Germany",
    "Lübeck, Schleswig-Holstein, Germany",
    "Köln, Rheinland, Germany",
    "München, Bayern, Germany",
    "Würzburg, Bayern, Germany",
    "Leiden, Zuid-Holland, Netherlands",
    "Groningen, Groningen, Netherlands",
    "Göteborg, Västra Götaland, Sweden",
    "Uppsala, Uppsala, Sweden",
    "Bergen, Hordaland, Norway",
    "Århus, Jylland, Denmark",
    "Besançon, Doubs, France",
    "Rouen, Seine-Maritime, France",
    "Lyon, Rhône, France",
    "Kraków, Małopolska, Poland",
    "Łódź, Łódzkie, Poland",
    "Poznań, Wielkopolska, Poland",
    "Brno, Morava, Czech Republic",
    "Genova, Liguria, Italy",
    "Sevilla, Andalucía, Spain",
};

constexpr std::string_view kOccupations[] = {
    "Farmer",         "Agricultural labourer",
    "Yeoman",         "Husbandman",
    "Blacksmith",     "Carpenter",
    "Joiner",         "Mason",
    "Bricklayer",     "Shoemaker",
    "Tailor",         "Weaver",
    "Spinster",       "Dressmaker",
    "Miller",         "Baker",
    "Butcher",        "Brewer",
    "Innkeeper",      "Grocer",
    "Draper",         "Merchant",
    "Mariner",        "Fisherman",
    "Coal miner",     "Quarryman",
    "Schoolmaster",   "Clerk in holy orders",
    "Surgeon",        "Attorney",
    "Clerk",          "Domestic servant",
    "Gardener",       "Coachman",
    "Railway porter", "Engine driver",
    "Cotton spinner", "Wheelwright",
    "Cooper",         "Saddler",
};

constexpr std::string_view kNoteSentences[] = {
    "Named in the will of his father, proved at the archdeacon's court.",
    "The family appears in every census of the parish until the move to town.",
    "Baptised privately at home and received into the church some weeks later.",
    "Emigrated with two brothers; the passenger list gives the ages a little differently.",
    "The surname is spelt in three different ways in the registers.",
    "A letter kept by the family describes the harvest of that year and the price of bread.",
    "Served in the militia for several years before returning to the farm.",
    "Witness at the marriage of a cousin in the neighbouring parish.",
    "Listed among the ratepayers of the town in the vestry minutes.",
    "The burial entry adds that the death followed a long illness.",
    "Land was leased from the manor on three lives, a common arrangement at the time.",
    "The family Bible, now lost, was copied by a grandson early in the last century.",
    "The gravestone is worn and only the first line of the inscription can be read.",
    "Apprenticed at fourteen; the indenture survives among the parish papers.",
    "A note in the margin of the register records that the fee was remitted.",
    "Said by family tradition to have been born at sea, which the records do not confirm.",
    "Later records call her a widow, though no burial of the husband has been found.",
    "The inventory taken after death lists the tools of the trade and two cows.",
    "Received poor relief in a hard winter, according to the overseers' accounts.",
    "Moved to the new mill town with most of the family about ten years later.",
    "Die Familie stammt nach mündlicher Überlieferung aus einem Dorf bei Würzburg.",
    "La famille habitait près de l'église ; l'acte de mariage a été retrouvé à Besançon.",
    "Rodzina mieszkała w Łodzi do końca wojny.",
    "Enligt husförhörslängden flyttade familjen till Göteborg.",
    "Two entries for the same child suggest a second baptism after a move.",
    "The age at death implies a birth some years before the baptism found here.",
};

constexpr std::string_view kSourceKinds[] = {
    "Parish registers",
    "Bishop's transcripts",
    "Census returns",
    "Marriage licences",
    "Probate records",
    "Land tax assessments",
    "Manorial court rolls",
    "Militia muster rolls",
    "Passenger lists",
    "Cemetery inscriptions",
    "Civil registration indexes",
    "Settlement examinations",
    "Family papers",
    "Church membership lists",
    "Naturalisation records",
    "Kirchenbücher",
};

constexpr std::string_view kPublishers[] = {
    "Manuscript, unpublished",
    "Transcribed by the county family history society",
    "Printed for the parish register society",
    "Microfilm copy held at the record office",
    "Published by the record society in its series of volumes",
    "Online index compiled by volunteers",
    "Typescript copy deposited by the family",
};

constexpr CRepositoryText kRepositories[] = {
    {"County Record Office", "Sessions House", "Maidstone", "England"},
    {"Diocesan Archives", "Cathedral Close", "Canterbury", "England"},
    {"The National Archives", "Ruskin Avenue", "Kew", "England"},
    {"National Records of Scotland", "2 Princes Street", "Edinburgh", "Scotland"},
    {"National Library of Wales", "Penglais Road", "Aberystwyth", "Wales"},
    {"Public Record Office", "Bishop Street", "Dublin", "Ireland"},
    {"State Historical Society", "Main Street", "Boston", "USA"},
    {"Provincial Archives", "Robie Street", "Halifax", "Canada"},
    {"Stadtarchiv", "Domplatz 3", "Köln", "Germany"},
    {"Regionaal Archief", "Boisotkade 2", "Leiden", "Netherlands"},
    {"Landsarkivet", "Box 19035", "Göteborg", "Sweden"},
    {"Archiwum Państwowe", "ulica Sienna 16", "Kraków", "Poland"},
};

} // namespace

std::span<const std::string_view> MaleGivenNameTable()
{
    return kMaleGiven;
}
std::span<const std::string_view> FemaleGivenNameTable()
{
    return kFemaleGiven;
}
std::span<const std::string_view> SurnameTable()
{
    return kSurnames;
}
std::span<const std::string_view> NamePrefixTable()
{
    return kPrefixes;
}
std::span<const std::string_view> NameSuffixTable()
{
    return kSuffixes;
}
std::span<const std::string_view> PlaceTable()
{
    return kPlaces;
}
std::span<const std::string_view> OccupationTable()
{
    return kOccupations;
}
std::span<const std::string_view> NoteSentenceTable()
{
    return kNoteSentences;
}
std::span<const std::string_view> SourceKindTable()
{
    return kSourceKinds;
}
std::span<const std::string_view> PublisherTable()
{
    return kPublishers;
}
std::span<const CRepositoryText> RepositoryTable()
{
    return kRepositories;
}
