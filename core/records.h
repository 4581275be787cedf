// The three process-wide records of the computation core: settings, text page and satellite state.
#pragma once

#include "foundation/vec3.h"

// Per-slot arrays of the settings record: slots 0-9 selected, 10 the TLE reader's work slot, 11 spare.
constexpr int kSlots = 12;
// Most satellites that can be selected at once (slots 0 to kMaxSat-1).
constexpr int kMaxSat = 10;
// Slot into which the TLE reader reads a found entry before it is copied into a selection slot.
constexpr int kWorkSlot = 10;
// Spare slot, where a search keeps a slot it borrows and restores it from at the end.
constexpr int kSpareSlot = kSlots - 1;
// Lines of one text page.
constexpr int kPageLines = 160;
// Bytes of one page line: 76 text bytes plus the tag byte.
constexpr int kLineBytes = 77;
// Index of the tag byte of a page line; kLineTag there marks a selectable pass line.
constexpr int kTagByte = kLineBytes - 1;
constexpr char kLineTag = '~';
// Map label font sizes (points, fontsize): small (the narrow window), normal, large.
constexpr int kSmallFont = 8;
constexpr int kNormalFont = 10;
constexpr int kLargeFont = 12;
// Points of each visibility circle (footprint).
constexpr int kCirclePoints = 64;
// Most passes a pass list records.
constexpr int kMaxPasses = 120;
// Calibration stars and stored points of the picture astrometry.
constexpr int kPicStars = 3;
constexpr int kPicPoints = 5;
// sgpslot value when the SGP4 record holds no slot.
constexpr int kNoSgpSlot = 9999;

// Settings record: inputs, options and the elements of the selected satellites.
struct WinpData {
    // Date, time and interval (date and time are local civil time).
    int day, month, year;
    int hour, minute, second;
    int dspyear;            // calendar year of the instant last plotted
    int systzflg;           // 1 = time zone taken from the system
    double mjd;             // start instant, MJD (UT)
    double lastrefresh;     // MJD of the last base-map refresh
    double timezone;        // hours, positive east
    long systzone;          // system time zone, seconds west of Greenwich, as last found by DefTime
    double ttut;            // TT - UT, seconds
    double duration;        // calculation interval, days (1 to 14)
    double rtoffset;        // real-time clock offset, hours
    double tstep;           // time step, days = stepmin/1440 + stepsec/86400
    double stepsec;         // seconds part of the time step
    int stepmin;            // minutes part of the time step

    // Display.
    int fontsize;           // map label font size, points
    int txtfontsz;          // font size of the information text under the map
    bool txtbold;           // information text in bold
    bool leftbtn;           // left mouse button also gives map and pass details
    int savenew;            // 1 = next write of the result save file replaces it
    int tlesvnmset;         // the same for the TLE save file
    int pagemode;           // 1 map, 0 text page, -1 pass list page
    int smplot;             // 1 while the base map is the Sun/Moon disc
    int daynight;           // shade the night hemisphere
    int skymap;             // 0 ground-track map, 1 sky map
    int skyproj;            // sky map projection: 0 zenith, 1 horizon band
    int maptype;            // 0 outline, 1 north, 2 south, 3 world image
    int mapwidth, mapheight;  // map size, pixels
    bool mapimgok;          // the world map image was loaded
    bool satview;           // sky map as seen from the prime satellite
    double skyazim;         // azimuth of the sky map centre, degrees
    double cenlon;          // central meridian of the map, degrees (0 to 360)

    // Observer and auxiliary inputs.
    double obslat, obslon;  // observer latitude and east longitude, degrees
    double obshgt;          // observer height
    double lnchlat, lnchlon;  // launch site latitude and east longitude, degrees
    double lnchmeco;        // main engine cut-off time, minutes
    double lnchazim;        // launch azimuth found by the launch computation, degrees
    double rdvtime;         // rendezvous: time until close approach, days
    int dateonly;           // 1 while the date dialog runs inside another command
    int lnchsouth;          // non-zero = southerly launch direction
    int lsite;              // index of the launch site
    int rdvsel;             // rendezvous requested when >= 0; -1 = plain launch
    int rdvslot;            // rendezvous target slot
    int occmode;            // occultation / transit / flare geometry selector
    bool cylflare;          // cylindrical flares
    double epoch;           // epoch year of sky coordinates
    double flryaw, flrpitch;    // reflecting-surface yaw and pitch (or R.A. and Dec.)
    double flryaw2, flrpitch2;  // the same for cylindrical flares
    double locaz, locel;    // clicked sky position; first observation of an orbit determination
    double locra, locdec;   // its R.A. and Dec.; second observation of an orbit determination
    double oddeltm;         // orbit determination: seconds between the observations
    int od1radec;           // first observation given as R.A./Dec.
    int od2radec;           // second observation given as R.A./Dec.
    bool mtcodflg;          // a satellite match follows the orbit determination
    double occra, occdec;   // target: R.A. (h.mmss) and Dec. (d.mmss), or azimuth and elevation
    double mtcdist;         // match: maximum angular distance, degrees
    double mtcdir;          // match: direction of movement, degrees
    double mtcwin;          // match: time interval +/-, minutes
    int occradec;           // 1 = target given as R.A./Dec., 0 = azimuth/elevation
    int mtcdirflg;          // match: filter on direction
    int mtchdone;           // 1 after a match list was produced
    bool mtcbright;         // match: brighter objects only
    bool picshow;           // show the loaded picture instead of the map
    // Picture astrometry: calibration and measured points.
    int picstep;            // next click: 1-3 reference stars, 4 on trail points; 0 = none
    int picdsp;             // display size: 0 or 1 full, 2 half, 3 quarter
    double picra[kPicPoints], picdec[kPicPoints];  // 0-2 stars (radians), 3-4 points (h.mmss, d.mmss)
    int picx[kPicStars], picy[kPicStars];          // pixel positions of the reference stars
    double plateA[kPicStars], plateB[kPicStars];   // plate constants (a, b, c) and (d, e, f)
    char tlintl[9];         // work buffer: international designator as in TLE line 1
    char cvintl[12];        // work buffer: designator in year-number-piece form
    char locname[31];       // observer location name
    char savename[105];     // result save file; leading '*' = in the TLE file's directory
    char tlefile[105];      // TLE file name; "*" when no valid file was found
    char tlesave[105];      // TLE save file; leading '*' as for savename
    char updurl[105];       // address of the online TLE update

    // Modes and counters.
    int dmsflg;             // coordinates entered and shown as DD.MMSS
    int autosave;           // 1 while a pass list is recomputed for the save file
    int rtmode;             // real-time mode running
    int deltamode;          // 2 while delta-time plotting runs
    int relmode;            // relative satellite mode
    int prime;              // slot of the prime satellite
    int nsat;               // number of selected satellites, 0 to kMaxSat
    int sgpslot;            // slot loaded in the SGP4 record; kNoSgpSlot = none
    int visonly;            // only visible passes
    int satremoved;         // set to 1 when a satellite is removed
    int shownames;          // draw names on the map
    int moonvis;            // Moon instead of Sun as light source
    int flares;             // flare calculation on
    int knownsurf;          // reflecting surface known
    int yawsteer;           // yaw steering mode of the attitude
    int smplotflg;          // Sun/Moon disc plot requested
    int digits4;            // R.A./Dec. shown with four decimals
    double minsatelev;      // minimum satellite elevation, degrees
    double maxsunelev;      // maximum Sun elevation, degrees
    double charlen;         // characteristic length for magnitudes, metres
    double dopfreq;         // nominal Doppler frequency, Hz; 0 shows range rate
    double passaos[kMaxPasses];  // start instants of the listed passes, MJD
    double pdmaxt;          // instant of maximum elevation of the detailed pass, MJD

    // Iridium, flare and element-adjustment options.
    double irminmag;        // faintest Iridium flare magnitude listed
    double evmaxdist;       // transits and flares: maximum centre-line distance, km
    double flrang;          // flare or cylinder angle shown on the map
    double flrmaxmag;       // maximum flare magnitude
    bool iridflg;           // flare magnitudes shown for the prime satellite
    int iridmode;           // 0 passes, 1 transit/occultation, 2 known-surface flares, 3 Iridium
    int iropsonly;          // Iridium: operational orbits only
    bool irpanel;           // include solar panel flares
    bool iraltmdl;          // panel brightness law for all reflectors
    bool irwrote;           // the Iridium list was written to the save file
    int gravflg;            // WGS-84 instead of WGS-72 constants
    bool sgpmode;           // adjustment dialog flag, SGP4 initialisation mode
    bool adjread;           // adjust elements while reading TLEs
    bool strictsum;         // refuse TLE entries with a bad checksum (else only reported)
    double adjdt;           // adjustment: epoch shift, seconds
    double adjmm;           // adjustment: replacement mean motion, rev/day; 0 = none
    double adjnode;         // adjustment: node shift, degrees
    bool solpanel;          // solar panel flare angle display
    bool eclchk;            // solar eclipse check at the satellite
    int ecltype;            // eclipse: 0 none, 1 partial, 2 total, 3 annular
    double smang, eclmag, eclpow;  // Sun-Moon angle, eclipse magnitude, remaining power fraction
    int npass;              // number of listed passes
    int pdpass, pdoffset;   // the clicked pass and an offset added to it
    int passcont;           // 1 when Next/Last Pass found a pass
    int prevrel, passslotinfo;  // copies of relmode and of the prime's satno made by the pass list
    int maxiter;            // maximum iterations per integration step
    double passepoch;       // copy of the prime's element epoch made by the pass list
    double inttol;          // relative tolerance of the numerical integration
    double f107, f107avg, kp;    // default space weather: daily F10.7, average F10.7, Kp
    double cd, cr, areamass;     // default drag and radiation coefficients, area/mass m^2/kg
    double polex, poley;    // pole coordinates, arcseconds
    double ut1utc;          // UT1 - UTC, seconds
    int utctai;             // UTC - TAI, whole seconds
    bool iersflg;           // IERS values set by the user
    int svframe;            // coordinate frame of the state vector dialog
    bool moonpert, sunpert; // include lunar and solar gravity
    bool refract;           // refraction correction of elevations
    bool extinct;           // atmospheric extinction in magnitudes
    double moondist;        // distance from the Moon when nearer to it than to the Earth, metres
    double liftdrag;        // lift-to-drag ratio below 90 km
    int grid;               // map grid: 0 none, 1 30-degree, 2 10-degree
    int mapbg;              // map background: 0 white, 1 grey, 2 black

    // Per-slot arrays.
    int satno[kSlots];              // NORAD catalogue number
    char intldsn[kSlots][12];       // international designator, converted form
    char srchname[kSlots][21];      // search names; slot kWorkSlot is the current key, "*" = any
    char satname[kSlots][21];       // satellite name (TLE title line)
    int sgp4flg[kSlots];            // 1 = SGP4 mean elements
    int numflg[kSlots];             // 1 = state vector propagated numerically
    int lowflt, recentflt;          // selection filters: decaying low satellites, recent launches
    int srchmode;                   // search key kind: 0 name, 1 NORAD number, 2 designator
    int selopt;                     // further selection option
    double elepoch[kSlots];         // element epoch, MJD
    double elsma[kSlots];           // semi-major axis, km
    double elnode[kSlots];          // right ascension of the ascending node, degrees
    double elargp[kSlots];          // argument of perigee, degrees
    double elincl[kSlots];          // inclination, degrees
    double elecc[kSlots];           // eccentricity
    double elmanom[kSlots];         // mean anomaly, degrees
    double elmm[kSlots];            // mean motion, rev/day (perigee distance, km, when elecc >= 1)
    double eladot[kSlots];          // change of the semi-major axis, km/day
    double elndot[kSlots];          // first derivative of the mean motion as in the TLE
    double elnddot[kSlots];         // second derivative of the mean motion as in the TLE
    double elbstar[kSlots];         // B* drag term
    int elsetno[kSlots];            // element set number (0 when unknown)
    long elrevno[kSlots];           // revolution number at epoch (0 when unknown)
    double svpos[3][kSlots];        // state vector position at epoch (x, y, z), metres
    double svvel[3][kSlots];        // state vector velocity at epoch, m/s
    double stmjd[kSlots];           // instant of the stored propagated state, MJD
    double stpos[3][kSlots];        // stored propagated position, metres
    double stvel[3][kSlots];        // stored propagated velocity, m/s
    double scf107[kSlots], scf107avg[kSlots], sckp[kSlots];  // per-satellite space weather
    double sccd[kSlots], sccr[kSlots], scam[kSlots];         // drag, radiation coefficients, area/mass
    double thracc[kSlots];          // manoeuvre velocity change or thrust acceleration
    double thryaw[kSlots], thrpitch[kSlots];  // thrust yaw and pitch, degrees
    bool thrflg[kSlots];            // continuous thrust on
    bool thrsun[kSlots];            // thrust only while sunlit
    bool thrupd[kSlots];            // propagated state becomes the new epoch state after each step
};

// One text page: kPageLines lines of 76 characters plus a tag byte.
struct WoutData {
    int nlines;                             // lines in use, 0 to kPageLines
    char lines[kPageLines][kLineBytes];     // text (NUL-terminated when shorter), then the tag byte
};

// State of all selected satellites at one instant.
struct SatPosData {
    double lat[kMaxSat], lon[kMaxSat];      // sub-satellite geodetic latitude and longitude, degrees
    double height[kMaxSat];                 // height above the WGS-84 ellipsoid, km
    double ra[kMaxSat], dec[kMaxSat];       // R.A. (h.mmss) and Dec. (d.mmss) referred to epoch
    double azim[kMaxSat], elev[kMaxSat];    // azimuth and elevation seen from the observer, degrees
    double range[kMaxSat];                  // distance from the observer, km
    double sunlit[kMaxSat];                 // Sun elevation above the limb seen from the satellite
    double moonlit[kMaxSat];                // the same for the Moon
    double rrate[kMaxSat];                  // range rate, km/s
    double ctrlat[kMaxSat], ctrlon[kMaxSat];  // centre-line point; ctrlat 100 = none
    double betaang[kMaxSat];                // beta angle, degrees
    double sunazsat[kMaxSat];               // Sun azimuth seen from the satellite, radians
    double sunelev, sunazim;                // Sun elevation (degrees) and azimuth (radians) at the site
    double moonelev, moonazim;              // Moon elevation and azimuth at the site, radians
    double moonsd;                          // Moon apparent semidiameter, degrees
    double moonk;                           // Moon phase (terminator) parameter
    double sunlat, sunlon;                  // sub-solar point, degrees
    double primelit, seclit;                // relative mode: illumination of both satellites
    double mag;                             // magnitude of the prime satellite or a flare; 99 = none
    double circlat[kMaxSat][kCirclePoints]; // visibility circles, radians
    double circlon[kMaxSat][kCirclePoints];
    int ncircle;                            // points of each circle
    Vec3 vec1, vec2;                        // two vectors of the state computation
};

// Sentinels of the state record.
constexpr double kNoCentreLine = 100.0;
constexpr double kNoMagnitude = 99.0;

// Process-wide records, created before main and never freed.
extern WinpData* const indata;
extern WoutData* const outdata;
extern SatPosData* const satps;   // for the computation core
extern SatPosData* const satpos;  // for the map display
